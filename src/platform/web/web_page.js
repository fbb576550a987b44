// The page of Ondulix-K's browser edition: WebPage holds the state that the page's parts share,
// delivers the user's input to the program, builds the window's controls and shows what they
// hold. Every rule (what a key does to a track bar, which radio button stays checked, when a
// handler runs) is the program's; the page only shows what the controls hold and hands on what
// the user does. The track bars (web_track_bars.js), the menu with the window's keys
// (web_menu.js), the boxes with the files (web_boxes.js) and the window's place and frames on
// the screen (web_screen.js) have files of their own. Each file is linked with --js-library;
// its web_page_* functions are what the C++ backend calls (web_page.h).
//
// Waiting: a call into the program that may open a box (a button, a menu item) goes through
// ccall(..., {async: true}); while the box is open the call is paused by Asyncify, which can
// hold one paused call only. So while such a call runs or waits, and while any box is open,
// the page delivers no input at all; only the timers' ticks go on, and they never wait.

var WebPageLibrary = {
  $WebPage__deps: ['$WebTrackBars', '$WebMenu', '$WebBoxes', '$WebScreen'],
  $WebPage: {
    controls: [], // each control's element, by the control's index in the form
    keys: {}, // KeyboardEvent.key -> the program's key code
    busy: false, // a call that may wait runs or is paused
    ended: false, // after Quit: no input and no ticks
    timers: {}, // handle -> setInterval id
    nextTimer: 1,
    shown: false,
    pendingFocus: -1, // focus asked for before the window was shown
    focusing: false, // the program is moving the focus: not the user's doing

    // ---- Delivering input ----

    takesInput: function () {
      return !WebPage.busy && !WebPage.ended && WebBoxes.boxes.length === 0 && !WebBoxes.picking;
    },

    // Input that may open a box and wait for it.
    deliverWaiting: function (entry, index) {
      if (!WebPage.takesInput()) return;
      WebPage.busy = true;
      ccall(entry, null, ['number'], [index], { async: true }).finally(function () {
        WebPage.busy = false;
      });
    },

    // Input that runs to its end at once.
    deliver: function (call) {
      if (WebPage.takesInput()) return call();
    },

    keyCode: function (event) {
      var code = WebPage.keys[event.key];
      return code === undefined ? -1 : code;
    },

    // ---- Building the window ----

    element: function (tag, className, parent) {
      var made = document.createElement(tag);
      if (className) made.className = className;
      if (parent) parent.appendChild(made);
      return made;
    },

    addControl: function (index, name, kind, parent, left, top, width, height, fontHeight, color,
                          tabIndex, vertical, tickInterval) {
      var client = document.getElementById('client');
      var container = parent >= 0 ? WebPage.controls[parent] : client;
      var made;
      switch (kind) {
        case 'MenuBar':
          made = document.getElementById('menubar');
          break;
        case 'Menu':
          made = WebMenu.makeMenu(container, index);
          break;
        case 'MenuItem':
          made = WebMenu.makeMenuItem(container);
          break;
        case 'MenuSeparator':
          made = WebMenu.makeSeparator(container);
          break;
        case 'Button':
          made = WebPage.makeButton(container, index);
          break;
        case 'CheckBox':
        case 'RadioButton':
          made = WebPage.makeCheck(container, index, kind === 'CheckBox' ? 'checkbox' : 'radio');
          break;
        case 'TrackBar':
          made = WebTrackBars.makeTrackBar(container, index, vertical, tickInterval, width, height);
          break;
        case 'GroupBox':
          made = WebPage.element('div', 'groupbox', container);
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
          break;
        case 'ListBox':
          made = WebPage.element('div', 'listbox', container);
          break;
        default:
          made = WebPage.element('div', 'label', container);
      }
      made.id = name;
      made.kind = kind;
      made.index = index;
      made.tab = tabIndex;
      if (kind.indexOf('Menu') !== 0) {
        made.style.left = left + 'px';
        made.style.top = top + 'px';
        made.style.width = width + 'px';
        made.style.height = height + 'px';
        made.style.fontSize = fontHeight + 'px';
        if (color >= 0) made.style.color = 'rgb(' + (color & 255) + ',' + ((color >> 8) & 255) + ',' + ((color >> 16) & 255) + ')';
      }
      if (tabIndex > 0) {
        made.tabIndex = tabIndex;
        made.addEventListener('focus', function () {
          if (!WebPage.focusing) _web_focused(index);
        });
      }
      WebPage.controls[index] = made;
    },

    makeButton: function (container, index) {
      var button = WebPage.element('button', 'button', container);
      button.type = 'button';
      button.addEventListener('click', function () { WebPage.deliverWaiting('web_press', index); });
      // The program decides which keys press a focused button; the browser's own activation is
      // kept out so that a key presses once.
      button.addEventListener('keydown', function (event) {
        var code = WebPage.keyCode(event);
        if (code < 0 || !_web_button_key(code)) return;
        event.preventDefault();
        if (!event.repeat) WebPage.deliverWaiting('web_press', index);
      });
      button.addEventListener('keyup', function (event) {
        var code = WebPage.keyCode(event);
        if (code >= 0 && _web_button_key(code)) event.preventDefault();
      });
      return button;
    },

    makeCheck: function (container, index, role) {
      var check = WebPage.element('div', role, container);
      check.setAttribute('role', role);
      WebPage.element('span', 'mark', check);
      check.caption = WebPage.element('span', 'caption', check);
      check.addEventListener('click', function () {
        WebPage.deliver(function () { _web_toggle(index); });
      });
      check.addEventListener('keydown', function (event) {
        if (event.key !== ' ') return;
        event.preventDefault();
        if (!event.repeat) WebPage.deliver(function () { _web_toggle(index); });
      });
      return check;
    },

    // ---- Showing the controls' state ----

    // A caption with an access key: "&" before the key's letter, "&&" for "&" itself.
    showCaption: function (target, caption, withAccessKey) {
      target.textContent = '';
      if (!withAccessKey) {
        target.textContent = caption;
        return null;
      }
      var key = null;
      var text = '';
      for (var i = 0; i < caption.length; ++i) {
        if (caption[i] === '&' && i + 1 < caption.length) {
          ++i;
          if (caption[i] !== '&' && key === null) {
            target.appendChild(document.createTextNode(text));
            text = '';
            var underlined = WebPage.element('u', '', target);
            underlined.textContent = caption[i];
            key = caption[i].toUpperCase();
            continue;
          }
        }
        text += caption[i];
      }
      target.appendChild(document.createTextNode(text));
      return key;
    },

    showControl: function (index, caption, enabled, visible) {
      var e = WebPage.controls[index];
      // The image control refreshes with every frame: its element is touched only when
      // something of it changed.
      if (e.shownCaption === caption && e.shownEnabled === enabled && e.shownVisible === visible) return;
      e.shownEnabled = enabled;
      e.shownVisible = visible;
      if (e.shownCaption !== caption) {
        e.shownCaption = caption;
        switch (e.kind) {
          case 'Menu':
            e.mnemonic = WebPage.showCaption(e.heading, caption, true);
            break;
          case 'MenuItem':
            e.mnemonic = WebPage.showCaption(e, caption, true);
            break;
          case 'Button':
            WebPage.showCaption(e, caption, true);
            break;
          case 'CheckBox':
          case 'RadioButton':
          case 'GroupBox':
            WebPage.showCaption(e.caption, caption, true);
            break;
          case 'Label':
            WebPage.showCaption(e, caption, false);
            break;
        }
      }
      e.classList.toggle('disabled', !enabled);
      if (e.kind === 'Button') e.disabled = !enabled;
      else if (e.tab > 0) e.tabIndex = enabled ? e.tab : -1;
      if (e.kind !== 'Button' && e.kind !== 'MenuBar') e.setAttribute('aria-disabled', !enabled);
      e.hidden = !visible;
      if (e === WebMenu.openMenu && !enabled) WebMenu.closeMenu();
    },

    // The user's doing: the element's focus event tells the program.
    focusControl: function (e) {
      e.focus({ preventScroll: true });
    },
  },

  // ---- What the C++ backend calls (web_page.h) ----

  web_page_set_title__deps: ['$WebPage'],
  web_page_set_title: function (title) {
    document.title = UTF8ToString(title);
  },

  web_page_define_key__deps: ['$WebPage'],
  web_page_define_key: function (key, domKey) {
    WebPage.keys[UTF8ToString(domKey)] = key;
  },

  web_page_add_control__deps: ['$WebPage'],
  web_page_add_control: function (index, name, kind, parent, left, top, width, height, fontHeight,
                                  color, tabIndex, vertical, tickInterval) {
    WebPage.addControl(index, UTF8ToString(name), UTF8ToString(kind), parent, left, top, width,
                       height, fontHeight, color, tabIndex, vertical, tickInterval);
  },

  web_page_show_window__deps: ['$WebPage'],
  web_page_show_window: function (clientWidth, clientHeight) {
    var client = document.getElementById('client');
    client.style.width = clientWidth + 'px';
    client.style.height = clientHeight + 'px';
    document.getElementById('window').hidden = false;
    WebPage.shown = true;
    WebScreen.fit();
    if (WebPage.pendingFocus >= 0) {
      WebPage.focusing = true;
      WebPage.controls[WebPage.pendingFocus].focus({ preventScroll: true });
      WebPage.focusing = false;
    }
    document.body.dataset.ready = 'true';
  },

  web_page_show_control__deps: ['$WebPage'],
  web_page_show_control: function (index, caption, enabled, visible) {
    WebPage.showControl(index, UTF8ToString(caption), !!enabled, !!visible);
  },

  web_page_show_checked__deps: ['$WebPage'],
  web_page_show_checked: function (index, checked) {
    var e = WebPage.controls[index];
    e.classList.toggle('checked', !!checked);
    e.setAttribute('aria-checked', !!checked);
  },

  web_page_show_list__deps: ['$WebPage'],
  web_page_show_list: function (index, lines) {
    WebPage.controls[index].textContent = UTF8ToString(lines);
  },

  web_page_focus__deps: ['$WebPage'],
  web_page_focus: function (index) {
    if (!WebPage.shown) {
      WebPage.pendingFocus = index;
      return;
    }
    WebPage.focusing = true;
    WebPage.controls[index].focus({ preventScroll: true });
    WebPage.focusing = false;
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
    WebMenu.closeMenu();
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
