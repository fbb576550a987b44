// The page of Ondulix-K's browser edition: WebPage makes the elements of the program's forms (the
// window and its boxes) and of their controls, shows what the controls hold, and hands the user's
// input back to the program. Every rule (what a key does, which control Tab goes to, which radio
// button stays checked, when a handler runs) is the program's; the page only shows, maps the
// browser's keys onto the program's, and hands on what the user does. The track bars
// (web_track_bars.js), the menus (web_menu.js), the boxes with the files (web_boxes.js) and the
// window's place and frames on the screen (web_screen.js) have files of their own. Each file is linked with --js-library; its web_page_* functions are what
// the C++ backend calls (web_page.h), and the page calls the program's web_* entries
// (web_input.cpp).
//
// Waiting: a call into the program that opens a box is paused by Asyncify while the box is open,
// and returns to the page at once. The program refuses input to whatever a box covers, so no
// second call can be paused meanwhile; the timers' ticks go on and never wait.

var WebPageLibrary = {
  $WebPage__deps: ['$WebTrackBars', '$WebMenu', '$WebBoxes', '$WebScreen', '$Asyncify', 'free'],
  $WebPage__postset: 'WebPage.init();',
  $WebPage: {
    controls: {}, // control number -> its element
    forms: {}, // form number -> { kind, area: where its controls go }
    keys: {}, // KeyboardEvent.key -> the program's key code
    takenKeys: {}, // KeyboardEvent.code of keys the program took when they went down
    ended: false, // after Quit: no input and no ticks
    timers: {}, // handle -> setInterval id
    nextTimer: 1,
    shown: false,
    pendingFocus: 0, // focus asked for before the window was shown
    focusing: false, // the program is moving the focus: not the user's doing

    init: function () {
      document.addEventListener('keydown', function (event) { WebPage.deliverKey(event, 1); }, true);
      document.addEventListener('keyup', function (event) { WebPage.deliverKey(event, 0); }, true);
    },

    // ---- Delivering input ----

    // Calls an entry of the program and gives its result; a call that was paused to wait for a
    // box counts as having taken the input.
    call: function (entry, args) {
      if (WebPage.ended) return 0;
      var before = Asyncify.currData;
      var result = entry.apply(null, args);
      return !before && Asyncify.currData ? 1 : result;
    },

    // The character a key typed (0: none), and the letter or digit of its place on the keyboard
    // (0: none), from which the program takes the key's letter.
    typedOf: function (event) {
      return event.key.length === 1 ? event.key.charCodeAt(0) : 0;
    },
    placeOf: function (event) {
      var place = /^(?:Key([A-Z])|Digit([0-9]))$/.exec(event.code || '');
      return place ? (place[1] || place[2]).charCodeAt(0) : 0;
    },

    deliverKey: function (event, down) {
      // An input method composing text keeps its keys.
      if (event.isComposing || event.keyCode === 229) return;
      if (!down && WebPage.takenKeys[event.code]) {
        // The key's going down was the program's: its coming up must not click a button.
        delete WebPage.takenKeys[event.code];
        event.preventDefault();
      }
      // A key the browser cannot name ("Unidentified") is taken by its place: Tab, Enter, ...
      var code = WebPage.keys[event.key === 'Unidentified' ? event.code : event.key];
      if (code === undefined) code = WebPage.keys['(other)'];
      var taken = WebPage.call(_web_key, [down, code, WebPage.typedOf(event), WebPage.placeOf(event),
                                          event.shiftKey, event.altKey, event.ctrlKey || event.metaKey,
                                          event.repeat]);
      if (!taken) return;
      if (down) WebPage.takenKeys[event.code] = true;
      event.preventDefault();
      event.stopPropagation();
    },

    // ---- Building the forms ----

    element: function (tag, className, parent) {
      var made = document.createElement(tag);
      if (className) made.className = className;
      if (parent) parent.appendChild(made);
      return made;
    },

    openForm: function (form, kind, title, clientWidth, clientHeight) {
      if (kind !== 0) {
        WebPage.forms[form] = WebBoxes.openBox(form, kind, title);
        return;
      }
      document.title = title;
      var client = document.getElementById('client');
      client.style.width = clientWidth + 'px';
      client.style.height = clientHeight + 'px';
      WebPage.forms[form] = { kind: 0, area: client, menubar: document.getElementById('menubar') };
      // A press on the background of the window or of a box keeps the focus where it is, as on
      // the desktop; a browser would take the focus from the focused control.
      document.addEventListener('mousedown', function (event) {
        if (!event.target.closest('[tabindex], input, button')) event.preventDefault();
      });
    },

    addControl: function (id, form, parent, kind, name, left, top, width, height, fontHeight, color,
                          accessibleName) {
      var owner = WebPage.forms[form];
      var container = parent ? WebPage.controls[parent] : owner.area;
      var made;
      switch (kind) {
        case 'MenuBar':
          made = owner.menubar;
          WebMenu.makeMenuBar(made);
          break;
        case 'Menu':
          made = WebMenu.makeMenu(container, id);
          break;
        case 'MenuItem':
          made = WebMenu.makeMenuItem(container, id);
          break;
        case 'MenuSeparator':
          made = WebMenu.makeSeparator(container);
          break;
        case 'Button':
          made = WebPage.element('button', 'button', container);
          made.type = 'button';
          made.addEventListener('click', function () { WebPage.call(_web_press, [id]); });
          break;
        case 'CheckBox':
        case 'RadioButton':
          made = WebPage.makeCheck(container, id, kind === 'CheckBox' ? 'checkbox' : 'radio');
          break;
        case 'TrackBar':
          made = WebPage.element('div', 'trackbar', container);
          break;
        case 'GroupBox':
          made = WebPage.element('div', 'groupbox', container);
          made.setAttribute('role', 'group');
          WebPage.element('div', 'frame', made);
          made.caption = WebPage.element('span', 'title', made);
          break;
        case 'Panel':
          made = WebPage.element('div', 'panel', container);
          WebPage.element('div', 'frame', made);
          break;
        case 'Image':
          made = WebPage.element('canvas', 'image', container);
          made.width = width;
          made.height = height;
          made.setAttribute('role', 'img');
          break;
        case 'ListBox':
          made = WebPage.element('div', 'listbox', container);
          break;
        case 'Edit':
          made = WebPage.makeEdit(container, id);
          break;
        default:
          made = WebPage.element('div', 'label', container);
      }
      // The window's elements are named after their controls; a box's by their role in it.
      if (owner.kind === 0) {
        made.id = name;
      } else {
        made.id = 'form' + form + '-' + name;
        made.classList.add(name);
      }
      made.kind = kind;
      made.controlId = id;
      if (kind === 'GroupBox') {
        made.caption.id = made.id + '-title';
        made.setAttribute('aria-labelledby', made.caption.id);
      }
      if (owner.kind === 0 && kind.indexOf('Menu') !== 0) {
        made.style.left = left + 'px';
        made.style.top = top + 'px';
        made.style.width = width + 'px';
        made.style.height = height + 'px';
        made.style.fontSize = fontHeight + 'px';
        if (color >= 0) made.style.color = 'rgb(' + (color & 255) + ',' + ((color >> 8) & 255) + ',' + ((color >> 16) & 255) + ')';
      }
      if (accessibleName && (kind === 'TrackBar' || kind === 'Image')) made.setAttribute('aria-label', accessibleName);
      made.addEventListener('focus', function () {
        if (!WebPage.focusing) _web_focused(id);
      });
      WebPage.controls[id] = made;
    },

    makeCheck: function (container, id, role) {
      var check = WebPage.element('div', role, container);
      check.setAttribute('role', role);
      check.setAttribute('aria-checked', 'false');
      if (role === 'radio') container.setAttribute('role', 'radiogroup');
      WebPage.element('span', 'mark', check);
      check.caption = WebPage.element('span', 'caption', check);
      check.addEventListener('click', function () { WebPage.call(_web_toggle, [id]); });
      return check;
    },

    makeEdit: function (container, id) {
      var field = WebPage.element('input', 'field', container);
      field.type = 'text';
      field.autocomplete = 'off';
      field.spellcheck = false;
      // Typed text goes to the program, which keeps it within its limit; while an input method
      // composes, only the finished text goes.
      var edited = function () {
        var text = WebBoxes.cString(field.value);
        WebPage.call(_web_edit, [id, text]);
        _free(text);
      };
      field.addEventListener('input', function (event) { if (!event.isComposing) edited(); });
      field.addEventListener('compositionend', edited);
      return field;
    },

    // ---- Showing the controls' state ----

    showCaption: function (id, before, key, after) {
      var e = WebPage.controls[id];
      var target = e.caption || e.heading || e;
      if (e.kind === 'Edit' || e.kind === 'ListBox' || e.kind === 'Image' || e.kind === 'TrackBar') return;
      target.textContent = before;
      if (key) {
        WebPage.element('u', '', target).textContent = key;
        target.appendChild(document.createTextNode(after));
      }
    },

    showState: function (id, enabled, visible, tabStop) {
      var e = WebPage.controls[id];
      e.classList.toggle('disabled', !enabled);
      if (e.kind === 'Button') e.disabled = !enabled;
      else if (e.kind === 'Edit') e.readOnly = !enabled;
      // A menu says it on its title, which is what a screen reader reaches.
      if (e.kind !== 'MenuBar' && e.kind !== 'Button' && e.kind !== 'Menu') e.setAttribute('aria-disabled', !enabled);
      if (tabStop >= 0) e.tabIndex = tabStop ? 0 : -1;
      e.hidden = !visible;
      if (e.kind === 'Menu') WebMenu.showEnabled(e, enabled);
    },

    focus: function (id) {
      if (!WebPage.shown) {
        WebPage.pendingFocus = id;
        return;
      }
      WebPage.focusing = true;
      WebPage.controls[id].focus({ preventScroll: true });
      WebPage.focusing = false;
    },
  },

  // ---- What the C++ backend calls (web_page.h) ----

  web_page_set_title__deps: ['$WebPage'],
  web_page_set_title: function (title) {
    document.title = UTF8ToString(title);
  },

  web_page_preferred_languages__deps: ['$WebBoxes'],
  web_page_preferred_languages: function () {
    var preferred = navigator.languages && navigator.languages.length ? navigator.languages : [navigator.language || ''];
    return WebBoxes.cString(window.location.search + '\n' + Array.prototype.join.call(preferred, '\n'));
  },

  web_page_set_language__deps: ['$WebBoxes'],
  web_page_set_language: function (language, closeName) {
    document.documentElement.lang = UTF8ToString(language);
    WebBoxes.closeName = UTF8ToString(closeName);
  },

  web_page_define_key__deps: ['$WebPage'],
  web_page_define_key: function (key, domKey) {
    WebPage.keys[UTF8ToString(domKey)] = key;
  },

  web_page_open_form__deps: ['$WebPage'],
  web_page_open_form: function (form, kind, title, clientWidth, clientHeight) {
    WebPage.openForm(form, kind, UTF8ToString(title), clientWidth, clientHeight);
  },

  web_page_close_form__deps: ['$WebPage'],
  web_page_close_form: function (form) {
    var closed = WebPage.forms[form];
    if (!closed) return;
    delete WebPage.forms[form];
    if (closed.kind !== 0) closed.element.remove();
  },

  web_page_add_control__deps: ['$WebPage'],
  web_page_add_control: function (id, form, parent, kind, name, left, top, width, height, fontHeight,
                                  color, accessibleName) {
    WebPage.addControl(id, form, parent, UTF8ToString(kind), UTF8ToString(name), left, top, width,
                       height, fontHeight, color, UTF8ToString(accessibleName));
  },

  web_page_set_labelled_by__deps: ['$WebPage'],
  web_page_set_labelled_by: function (id, label) {
    var e = WebPage.controls[id];
    e.removeAttribute('aria-label');
    e.setAttribute('aria-labelledby', WebPage.controls[label].id);
  },

  web_page_make_edit__deps: ['$WebPage'],
  web_page_make_edit: function (id) {
    var field = WebPage.controls[id];
    // Values may be negative or hexadecimal ("-30", "$1F"), which a phone's number pad cannot
    // type, so whole numbers get the ordinary keyboard, with nothing changing what is typed.
    field.setAttribute('inputmode', 'text');
    field.setAttribute('autocapitalize', 'off');
    field.setAttribute('autocorrect', 'off');
    field.setAttribute('enterkeyhint', 'done');
  },

  web_page_show_window__deps: ['$WebPage'],
  web_page_show_window: function () {
    document.getElementById('window').hidden = false;
    WebPage.shown = true;
    WebScreen.fit();
    if (WebPage.pendingFocus) WebPage.focus(WebPage.pendingFocus);
    document.body.dataset.ready = 'true';
    document.dispatchEvent(new Event('ondulix-shown'));
  },

  web_page_show_caption__deps: ['$WebPage'],
  web_page_show_caption: function (id, before, key, after) {
    WebPage.showCaption(id, UTF8ToString(before), UTF8ToString(key), UTF8ToString(after));
  },

  web_page_show_state__deps: ['$WebPage'],
  web_page_show_state: function (id, enabled, visible, tabStop) {
    WebPage.showState(id, !!enabled, !!visible, tabStop);
  },

  web_page_show_checked__deps: ['$WebPage'],
  web_page_show_checked: function (id, checked) {
    var e = WebPage.controls[id];
    e.classList.toggle('checked', !!checked);
    e.setAttribute('aria-checked', !!checked);
  },

  web_page_show_edit__deps: ['$WebPage'],
  web_page_show_edit: function (id, text, allSelected) {
    var field = WebPage.controls[id];
    var shown = UTF8ToString(text);
    if (field.value !== shown) field.value = shown;
    if (allSelected) field.select();
  },

  web_page_show_list__deps: ['$WebPage'],
  web_page_show_list: function (id, lines) {
    WebPage.controls[id].textContent = UTF8ToString(lines);
  },

  web_page_focus__deps: ['$WebPage'],
  web_page_focus: function (id) {
    WebPage.focus(id);
  },

  web_page_start_timer__deps: ['$WebPage'],
  web_page_start_timer: function (timer, milliseconds) {
    if (WebPage.ended) return 0;
    var handle = WebPage.nextTimer++;
    WebPage.timers[handle] = setInterval(function () { _web_tick(timer); }, milliseconds);
    return handle;
  },

  web_page_stop_timer__deps: ['$WebPage'],
  web_page_stop_timer: function (handle) {
    clearInterval(WebPage.timers[handle]);
    delete WebPage.timers[handle];
  },

  web_page_quit__deps: ['$WebPage'],
  web_page_quit: function (line) {
    WebPage.ended = true;
    for (var handle in WebPage.timers) clearInterval(WebPage.timers[handle]);
    WebPage.timers = {};
    window.close();
    // Still here: browsers close only the pages that a script opened.
    var ended = document.getElementById('ended');
    ended.textContent = UTF8ToString(line);
    ended.hidden = false;
    var win = document.getElementById('window');
    win.inert = true;
    win.classList.add('ended');
  },
};

mergeInto(LibraryManager.library, WebPageLibrary);
