// The page of Ondulix-K's browser edition: the elements that show the window's controls and
// boxes, and the delivery of the user's input to the program. Every rule (what a key does to a
// track bar, which radio button stays checked, when a handler runs) is the program's; this file
// only shows what the controls hold and hands on what the user does. Linked with
// --js-library: the web_page_* functions are what the C++ backend calls (web_page.h), and
// WebPage holds the page's state.
//
// Waiting: a call into the program that may open a box (a button, a menu item) goes through
// ccall(..., {async: true}); while the box is open the call is paused by Asyncify, which can
// hold one paused call only. So while such a call runs or waits, and while any box is open,
// the page delivers no input at all; only the timers' ticks go on, and they never wait.

var WebPageLibrary = {
  $WebPage__deps: ['malloc'],
  $WebPage__postset: 'WebPage.init();',
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
    openMenu: null,
    boxes: [], // open boxes, the topmost last
    picking: false, // the browser's file chooser is open
    focusBeforeModal: null,
    inputAnswer: { state: 0, text: '' },
    picked: { state: 0, name: '', bytes: null },
    wakeUp: null, // resumes the call that waits for an answer

    init: function () {
      window.addEventListener('resize', WebPage.fit);
      document.addEventListener('keydown', WebPage.windowKey, true);
      document.addEventListener('pointerdown', function (event) {
        if (WebPage.openMenu && !WebPage.openMenu.contains(event.target)) WebPage.closeMenu();
      }, true);
      var picker = document.getElementById('picker');
      picker.addEventListener('change', WebPage.fileChosen);
      picker.addEventListener('cancel', function () { WebPage.answerPick(2); });
      // Browsers without the cancel event: the page gets the focus back when the chooser
      // closes, and a file chosen comes with a change event soon after.
      window.addEventListener('focus', function () {
        if (!WebPage.picking) return;
        setTimeout(function () {
          if (WebPage.picking && WebPage.picked.state === 0 && picker.files.length === 0) WebPage.answerPick(2);
        }, 1000);
      });
    },

    // ---- Delivering input ----

    takesInput: function () {
      return !WebPage.busy && !WebPage.ended && WebPage.boxes.length === 0 && !WebPage.picking;
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
          made = WebPage.makeMenu(container, index);
          break;
        case 'MenuItem':
          made = WebPage.element('div', 'item', container.dropdown);
          made.addEventListener('pointerenter', function () { WebPage.highlight(made); });
          made.addEventListener('click', function () { WebPage.chooseItem(made); });
          break;
        case 'MenuSeparator':
          made = WebPage.element('div', 'separator', container.dropdown);
          break;
        case 'Button':
          made = WebPage.makeButton(container, index);
          break;
        case 'CheckBox':
        case 'RadioButton':
          made = WebPage.makeCheck(container, index, kind === 'CheckBox' ? 'checkbox' : 'radio');
          break;
        case 'TrackBar':
          made = WebPage.makeTrackBar(container, index, vertical, tickInterval, width, height);
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

    // ---- Track bars ----
    // The thumb is kThumb pixels along the bar; the positions from the minimum (left, or top
    // of a vertical bar) to the maximum spread over the rest.

    kThumb: 11,

    makeTrackBar: function (container, index, vertical, tickInterval, width, height) {
      var bar = WebPage.element('div', 'trackbar ' + (vertical ? 'vertical' : 'horizontal'), container);
      bar.setAttribute('role', 'slider');
      bar.setAttribute('aria-orientation', vertical ? 'vertical' : 'horizontal');
      bar.vertical = !!vertical;
      bar.tickInterval = tickInterval;
      bar.length = vertical ? height : width;
      bar.across = vertical ? width : height;
      bar.groove = WebPage.element('div', 'groove', bar);
      bar.ticks = WebPage.element('div', 'ticks', bar);
      bar.thumb = WebPage.element('div', tickInterval > 0 ? 'thumb pointed' : 'thumb', bar);
      // With tick marks the groove and thumb keep to the top (left) and the marks go below
      // (right); without them the groove runs down the middle.
      var middle = tickInterval > 0 ? 12 : Math.floor(bar.across / 2);
      var thumbAcross = tickInterval > 0 ? 19 : Math.min(21, bar.across - 2);
      if (vertical) {
        bar.groove.style.left = (middle - 2) + 'px';
        bar.thumb.style.left = (middle - Math.floor(thumbAcross / 2)) + 'px';
        bar.thumb.style.width = thumbAcross + 'px';
      } else {
        bar.groove.style.top = (middle - 2) + 'px';
        bar.thumb.style.top = (middle - Math.floor(thumbAcross / 2)) + 'px';
        bar.thumb.style.height = thumbAcross + 'px';
      }
      bar.addEventListener('keydown', function (event) {
        var code = WebPage.keyCode(event);
        if (code >= 0 && WebPage.deliver(function () { return _web_track_key(index, code); })) event.preventDefault();
      });
      bar.addEventListener('wheel', function (event) {
        event.preventDefault();
        // A notch is 120 in Qt's terms, 100 pixels or 3 lines here; a wheel turned away
        // from the user moves the thumb towards the minimum.
        var perNotch = event.deltaMode === 1 ? 3 : event.deltaMode === 2 ? 1 : 100;
        var turned = event.deltaY !== 0 ? -event.deltaY : event.deltaX;
        WebPage.deliver(function () { _web_track_wheel(index, turned / perNotch); });
      }, { passive: false });
      bar.addEventListener('pointerdown', function (event) { WebPage.trackPointerDown(bar, event); });
      bar.addEventListener('pointermove', function (event) { WebPage.trackPointerMove(bar, event); });
      bar.addEventListener('pointerup', function (event) { WebPage.trackPointerUp(bar, event); });
      bar.addEventListener('pointercancel', function (event) { WebPage.trackPointerUp(bar, event); });
      return bar;
    },

    span: function (bar) {
      return Math.max(1, bar.length - WebPage.kThumb);
    },

    // Pixels from the bar's start to where a position puts the thumb's start.
    offsetOf: function (bar, position) {
      if (bar.max <= bar.min) return 0;
      return Math.round((position - bar.min) * WebPage.span(bar) / (bar.max - bar.min));
    },

    // The position under the pointer, with the thumb's middle at `along` pixels.
    positionAt: function (bar, along) {
      var fraction = (along - WebPage.kThumb / 2) / WebPage.span(bar);
      var position = bar.min + Math.round(fraction * (bar.max - bar.min));
      return Math.min(bar.max, Math.max(bar.min, position));
    },

    // Pixels along the bar, in the bar's own units however the window is scaled.
    alongOf: function (bar, event) {
      var box = bar.getBoundingClientRect();
      return bar.vertical ? (event.clientY - box.top) * bar.offsetHeight / box.height
                          : (event.clientX - box.left) * bar.offsetWidth / box.width;
    },

    showTrackBar: function (bar, min, max, position) {
      var rangeChanged = bar.min !== min || bar.max !== max;
      bar.min = min;
      bar.max = max;
      bar.position = position;
      bar.setAttribute('aria-valuemin', min);
      bar.setAttribute('aria-valuemax', max);
      bar.setAttribute('aria-valuenow', position);
      bar.thumb.style[bar.vertical ? 'top' : 'left'] = WebPage.offsetOf(bar, position) + 'px';
      if (rangeChanged && bar.tickInterval > 0) {
        bar.ticks.textContent = '';
        for (var v = min; v <= max; v += bar.tickInterval) {
          var tick = WebPage.element('div', 'tick', bar.ticks);
          tick.style[bar.vertical ? 'top' : 'left'] = (WebPage.offsetOf(bar, v) + Math.floor(WebPage.kThumb / 2)) + 'px';
        }
      }
    },

    trackPointerDown: function (bar, event) {
      if (event.button !== 0 || !WebPage.takesInput() || bar.classList.contains('disabled')) return;
      event.preventDefault();
      WebPage.focusControl(bar);
      bar.setPointerCapture(event.pointerId);
      var along = WebPage.alongOf(bar, event);
      var thumbStart = WebPage.offsetOf(bar, bar.position);
      if (along >= thumbStart && along < thumbStart + WebPage.kThumb) {
        // Dragging the thumb: it keeps where it was taken hold of.
        bar.drag = { grip: along - thumbStart - WebPage.kThumb / 2 };
        return;
      }
      // A press on the track moves the thumb a page towards the pointer, and again and again
      // while the press lasts, until the thumb reaches the pointer.
      bar.paging = { along: along };
      var step = function () {
        var target = WebPage.positionAt(bar, bar.paging.along);
        if (target === bar.position || !WebPage.takesInput()) return false;
        _web_track_page(bar.index, target > bar.position ? 1 : -1);
        return true;
      };
      if (step()) {
        bar.paging.timer = setTimeout(function repeat() {
          if (bar.paging && step()) bar.paging.timer = setTimeout(repeat, 50);
        }, 500);
      }
    },

    trackPointerMove: function (bar, event) {
      if (bar.paging) bar.paging.along = WebPage.alongOf(bar, event);
      if (!bar.drag) return;
      var position = WebPage.positionAt(bar, WebPage.alongOf(bar, event) - bar.drag.grip);
      if (position !== bar.position) WebPage.deliver(function () { _web_track_move(bar.index, position); });
    },

    trackPointerUp: function (bar, event) {
      if (bar.paging) {
        clearTimeout(bar.paging.timer);
        bar.paging = null;
      }
      if (bar.drag) {
        bar.drag = null;
        WebPage.deliver(function () { _web_track_release(bar.index); });
      }
    },

    // ---- The menu ----

    makeMenu: function (bar, index) {
      var menu = WebPage.element('div', 'menu', bar);
      menu.heading = WebPage.element('span', 'title', menu);
      menu.dropdown = WebPage.element('div', 'dropdown', menu);
      menu.dropdown.hidden = true;
      menu.heading.addEventListener('pointerdown', function (event) {
        event.preventDefault();
        if (WebPage.openMenu === menu) WebPage.closeMenu();
        else WebPage.showMenu(menu, false);
      });
      return menu;
    },

    showMenu: function (menu, fromKeyboard) {
      if (!WebPage.takesInput() || menu.classList.contains('disabled')) return;
      WebPage.closeMenu();
      WebPage.openMenu = menu;
      menu.classList.add('open');
      menu.dropdown.hidden = false;
      WebPage.highlight(fromKeyboard ? WebPage.menuItems(menu)[0] : null);
    },

    closeMenu: function () {
      var menu = WebPage.openMenu;
      if (!menu) return;
      WebPage.openMenu = null;
      menu.classList.remove('open');
      menu.dropdown.hidden = true;
      WebPage.highlight(null);
    },

    menuItems: function (menu) {
      return Array.prototype.filter.call(menu.dropdown.children, function (item) {
        return item.kind === 'MenuItem' && !item.hidden && !item.classList.contains('disabled');
      });
    },

    highlight: function (item) {
      var menu = WebPage.openMenu;
      if (menu) Array.prototype.forEach.call(menu.dropdown.children, function (other) {
        other.classList.toggle('highlighted', other === item);
      });
    },

    // Closes the menu first, then chooses, within the user's own gesture: Open then shows the
    // browser's file chooser, which browsers allow only from a gesture.
    chooseItem: function (item) {
      if (item.classList.contains('disabled')) return;
      WebPage.closeMenu();
      WebPage.deliverWaiting('web_press', item.index);
    },

    // The window's keys: Alt with a menu's letter opens it; in an open menu the arrows move,
    // Enter chooses, a letter chooses its item and Esc closes; Tab stays within the window.
    windowKey: function (event) {
      var menu = WebPage.openMenu;
      if (menu) {
        var items = WebPage.menuItems(menu);
        var at = items.indexOf(menu.dropdown.querySelector('.highlighted'));
        var key = event.key;
        if (key === 'Escape' || key === 'Tab' || key === 'Alt') {
          WebPage.closeMenu();
        } else if (key === 'ArrowDown' || key === 'ArrowUp') {
          var step = key === 'ArrowDown' ? 1 : items.length - 1;
          if (items.length) WebPage.highlight(items[at < 0 ? 0 : (at + step) % items.length]);
        } else if ((key === 'Enter' || key === ' ') && at >= 0) {
          WebPage.chooseItem(items[at]);
        } else {
          var chosen = items.filter(function (item) { return item.mnemonic && item.mnemonic === key.toUpperCase(); });
          if (chosen.length) WebPage.chooseItem(chosen[0]);
        }
        event.preventDefault();
        event.stopPropagation();
        return;
      }
      if (event.altKey && !event.ctrlKey && !event.metaKey && event.key.length === 1) {
        var letter = event.key.toUpperCase();
        var menus = document.querySelectorAll('.menubar > .menu');
        for (var i = 0; i < menus.length; ++i) {
          if (menus[i].mnemonic === letter && !menus[i].hidden) {
            event.preventDefault();
            WebPage.showMenu(menus[i], true);
            return;
          }
        }
      }
      if (event.key === 'Tab' && !event.altKey && !event.ctrlKey && WebPage.boxes.length === 0) WebPage.cycleTab(event);
    },

    // After the last control Tab comes back to the first, and Shift+Tab the other way, as in
    // a desktop window.
    cycleTab: function (event) {
      var order = Array.prototype.filter.call(document.querySelectorAll('#client [tabindex]'), function (e) {
        return e.tabIndex > 0 && e.offsetParent !== null && !e.disabled;
      }).sort(function (a, b) { return a.tabIndex - b.tabIndex; });
      if (!order.length) return;
      var first = order[0];
      var last = order[order.length - 1];
      var at = document.activeElement;
      if (!event.shiftKey && (at === last || order.indexOf(at) < 0 && at === document.body)) {
        event.preventDefault();
        WebPage.focusControl(first);
      } else if (event.shiftKey && at === first) {
        event.preventDefault();
        WebPage.focusControl(last);
      }
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
      if (e === WebPage.openMenu && !enabled) WebPage.closeMenu();
    },

    // The user's doing: the element's focus event tells the program.
    focusControl: function (e) {
      e.focus({ preventScroll: true });
    },

    fit: function () {
      var win = document.getElementById('window');
      var width = win.offsetWidth;
      var height = win.offsetHeight;
      // The whole window, smaller where the screen is smaller, rather than cut off.
      var scale = Math.min(1, window.innerWidth / width, window.innerHeight / height);
      win.style.transform = scale < 1 ? 'scale(' + scale + ')' : '';
      win.style.left = Math.max(0, Math.floor((window.innerWidth - width * scale) / 2)) + 'px';
      win.style.top = Math.max(0, Math.floor((window.innerHeight - height * scale) / 2)) + 'px';
    },

    // ---- Boxes ----

    // Covers the page while a box or the file chooser is open; the window then takes no input.
    updateModal: function () {
      var modal = WebPage.boxes.length > 0 || WebPage.picking;
      var layer = document.getElementById('modal');
      var win = document.getElementById('window');
      if (modal && layer.hidden) {
        WebPage.focusBeforeModal = document.activeElement;
        WebPage.closeMenu();
      }
      layer.hidden = !modal;
      win.inert = modal;
      if (!modal && WebPage.focusBeforeModal) {
        var back = WebPage.focusBeforeModal;
        WebPage.focusBeforeModal = null;
        WebPage.focusing = true;
        back.focus({ preventScroll: true });
        WebPage.focusing = false;
      }
    },

    openBox: function (className, caption, onClose) {
      var box = WebPage.element('div', 'box ' + className, document.getElementById('modal'));
      box.setAttribute('role', 'dialog');
      box.setAttribute('aria-modal', 'true');
      var titleBar = WebPage.element('div', 'titlebar', box);
      var title = WebPage.element('span', 'caption', titleBar);
      title.textContent = caption;
      var close = WebPage.element('button', 'close', titleBar);
      close.type = 'button';
      close.tabIndex = -1;
      close.setAttribute('aria-label', '閉じる');
      close.textContent = '\u00d7';
      close.addEventListener('click', onClose);
      box.body = WebPage.element('div', 'body', box);
      box.addEventListener('keydown', function (event) {
        if (event.key === 'Escape') {
          event.preventDefault();
          onClose();
        } else if (event.key === 'Tab') {
          // Tab goes round the box's own fields and buttons.
          var stops = Array.prototype.filter.call(box.querySelectorAll('input, button'), function (e) {
            return e.tabIndex >= 0 && !e.disabled;
          });
          var at = stops.indexOf(document.activeElement);
          event.preventDefault();
          stops[(at + (event.shiftKey ? stops.length - 1 : 1)) % stops.length].focus();
        }
      });
      WebPage.boxes.push(box);
      WebPage.updateModal();
      return box;
    },

    closeBox: function (box) {
      var at = WebPage.boxes.indexOf(box);
      if (at < 0) return;
      WebPage.boxes.splice(at, 1);
      box.remove();
      if (WebPage.boxes.length) WebPage.boxes[WebPage.boxes.length - 1].querySelector('button:not(.close)').focus();
      WebPage.updateModal();
    },

    // A button of a box, pressed by a click and by the keys that press a focused button.
    boxButton: function (row, caption, press) {
      var button = WebPage.element('button', 'button', row);
      button.type = 'button';
      button.textContent = caption;
      button.addEventListener('click', press);
      button.addEventListener('keydown', function (event) {
        var code = WebPage.keyCode(event);
        if (code < 0 || !_web_button_key(code)) return;
        event.preventDefault();
        event.stopPropagation();
        if (!event.repeat) press();
      });
      button.addEventListener('keyup', function (event) {
        var code = WebPage.keyCode(event);
        if (code >= 0 && _web_button_key(code)) event.preventDefault();
      });
      return button;
    },

    openInputBox: function (caption, prompt, text, note, maxLength, needsText) {
      WebPage.inputAnswer = { state: 0, text: '' };
      var box;
      var answer = function (state) {
        if (WebPage.inputAnswer.state !== 0) return;
        WebPage.inputAnswer = { state: state, text: field.value };
        WebPage.closeBox(box);
        WebPage.answered();
      };
      box = WebPage.openBox('input', caption, function () { answer(2); });
      var label = WebPage.element('label', 'prompt', box.body);
      label.textContent = prompt;
      var field = WebPage.element('input', 'field', box.body);
      field.type = 'text';
      field.id = 'input-box-field';
      label.htmlFor = field.id;
      field.value = text;
      if (maxLength > 0) field.maxLength = maxLength;
      field.autocomplete = 'off';
      field.spellcheck = false;
      if (note) WebPage.element('div', 'note', box.body).textContent = note;
      var row = WebPage.element('div', 'buttons', box.body);
      var ok = WebPage.boxButton(row, 'OK', function () { if (!ok.disabled) answer(1); });
      ok.classList.add('default');
      WebPage.boxButton(row, '\u30ad\u30e3\u30f3\u30bb\u30eb', function () { answer(2); });
      var checkText = function () { ok.disabled = needsText && field.value === ''; };
      field.addEventListener('input', checkText);
      checkText();
      // Enter in the field is OK, as the box's default button; on a focused button Enter
      // presses that button.
      field.addEventListener('keydown', function (event) {
        if (event.key === 'Enter' && !event.isComposing) {
          event.preventDefault();
          if (!ok.disabled && !event.repeat) answer(1);
        }
      });
      field.focus();
      field.select();
    },

    showErrorBox: function (caption, text) {
      var box;
      var close = function () { WebPage.closeBox(box); };
      box = WebPage.openBox('error', caption, close);
      box.setAttribute('role', 'alertdialog');
      var row = WebPage.element('div', 'message', box.body);
      WebPage.element('div', 'icon', row).setAttribute('aria-hidden', 'true');
      WebPage.element('div', 'text', row).textContent = text;
      var buttons = WebPage.element('div', 'buttons', box.body);
      WebPage.boxButton(buttons, 'OK', close).focus();
    },

    // ---- Files ----

    pickFile: function (accept) {
      var picker = document.getElementById('picker');
      WebPage.picked = { state: 0, name: '', bytes: null };
      picker.accept = accept;
      // Emptied first, so that picking the same file again is a change too.
      picker.value = '';
      WebPage.picking = true;
      WebPage.updateModal();
      picker.click();
    },

    fileChosen: function () {
      var file = document.getElementById('picker').files[0];
      if (!WebPage.picking) return;
      if (!file) {
        WebPage.answerPick(2);
        return;
      }
      file.arrayBuffer().then(function (buffer) {
        WebPage.answerPick(1, file.name, new Uint8Array(buffer));
      }, function () {
        WebPage.answerPick(2);
      });
    },

    answerPick: function (state, name, bytes) {
      if (!WebPage.picking) return;
      WebPage.picking = false;
      WebPage.picked = { state: state, name: name || '', bytes: bytes || null };
      WebPage.updateModal();
      WebPage.answered();
    },

    // The box or the chooser that a call waits for has its answer: the call goes on now, from
    // the event that answered, with nothing of the program's below it.
    answered: function () {
      var wakeUp = WebPage.wakeUp;
      WebPage.wakeUp = null;
      if (wakeUp) wakeUp();
    },

    download: function (name, bytes) {
      var link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
      link.download = name;
      document.body.appendChild(link);
      link.click();
      link.remove();
      setTimeout(function () { URL.revokeObjectURL(link.href); }, 60000);
    },

    cString: function (text) {
      var size = lengthBytesUTF8(text) + 1;
      var memory = _malloc(size);
      if (memory) stringToUTF8(text, memory, size);
      return memory;
    },
  },

  // ---- What the C++ backend calls (web_page.h) ----

  web_page_set_title: function (title) {
    document.title = UTF8ToString(title);
  },

  web_page_define_key: function (key, domKey) {
    WebPage.keys[UTF8ToString(domKey)] = key;
  },

  web_page_add_control: function (index, name, kind, parent, left, top, width, height, fontHeight,
                                  color, tabIndex, vertical, tickInterval) {
    WebPage.addControl(index, UTF8ToString(name), UTF8ToString(kind), parent, left, top, width,
                       height, fontHeight, color, tabIndex, vertical, tickInterval);
  },

  web_page_show_window: function (clientWidth, clientHeight) {
    var client = document.getElementById('client');
    client.style.width = clientWidth + 'px';
    client.style.height = clientHeight + 'px';
    document.getElementById('window').hidden = false;
    WebPage.shown = true;
    WebPage.fit();
    if (WebPage.pendingFocus >= 0) {
      WebPage.focusing = true;
      WebPage.controls[WebPage.pendingFocus].focus({ preventScroll: true });
      WebPage.focusing = false;
    }
    document.body.dataset.ready = 'true';
  },

  web_page_show_control: function (index, caption, enabled, visible) {
    WebPage.showControl(index, UTF8ToString(caption), !!enabled, !!visible);
  },

  web_page_show_checked: function (index, checked) {
    var e = WebPage.controls[index];
    e.classList.toggle('checked', !!checked);
    e.setAttribute('aria-checked', !!checked);
  },

  web_page_show_track_bar: function (index, min, max, position) {
    WebPage.showTrackBar(WebPage.controls[index], min, max, position);
  },

  web_page_show_list: function (index, lines) {
    WebPage.controls[index].textContent = UTF8ToString(lines);
  },

  web_page_show_image: function (index, rgba, width, height) {
    var canvas = WebPage.controls[index];
    if (!canvas.context) canvas.context = canvas.getContext('2d');
    var pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    canvas.context.putImageData(new ImageData(pixels, width, height), 0, 0);
  },

  web_page_focus: function (index) {
    if (!WebPage.shown) {
      WebPage.pendingFocus = index;
      return;
    }
    WebPage.focusing = true;
    WebPage.controls[index].focus({ preventScroll: true });
    WebPage.focusing = false;
  },

  web_page_start_timer: function (timer, milliseconds) {
    if (WebPage.ended) return 0;
    var handle = WebPage.nextTimer++;
    WebPage.timers[handle] = setInterval(function () { _web_tick(timer); }, milliseconds);
    return handle;
  },

  web_page_stop_timer: function (handle) {
    clearInterval(WebPage.timers[handle]);
    delete WebPage.timers[handle];
  },

  web_page_open_input_box: function (caption, prompt, text, note, maxLength, needsText) {
    WebPage.openInputBox(UTF8ToString(caption), UTF8ToString(prompt), UTF8ToString(text),
                         UTF8ToString(note), maxLength, !!needsText);
  },

  web_page_input_box_state: function () {
    return WebPage.inputAnswer.state;
  },

  web_page_input_box_text: function () {
    return WebPage.cString(WebPage.inputAnswer.text);
  },

  web_page_wait_for_answer__deps: ['$Asyncify'],
  web_page_wait_for_answer: function () {
    Asyncify.handleSleep(function (wakeUp) { WebPage.wakeUp = wakeUp; });
  },

  web_page_show_error_box: function (caption, text) {
    WebPage.showErrorBox(UTF8ToString(caption), UTF8ToString(text));
  },

  web_page_pick_file: function (accept) {
    WebPage.pickFile(UTF8ToString(accept));
  },

  web_page_picked_state: function () {
    return WebPage.picked.state;
  },

  web_page_picked_name: function () {
    return WebPage.cString(WebPage.picked.name);
  },

  web_page_picked_size: function () {
    return WebPage.picked.bytes ? WebPage.picked.bytes.length : 0;
  },

  web_page_copy_picked: function (to) {
    if (WebPage.picked.bytes) HEAPU8.set(WebPage.picked.bytes, to);
  },

  web_page_download: function (name, bytes, size) {
    WebPage.download(UTF8ToString(name), HEAPU8.slice(bytes, bytes + size));
  },

  web_page_quit: function (line) {
    WebPage.ended = true;
    for (var handle in WebPage.timers) clearInterval(WebPage.timers[handle]);
    WebPage.timers = {};
    WebPage.closeMenu();
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

Object.keys(WebPageLibrary).forEach(function (name) {
  if (name.indexOf('web_page_') === 0 && name.indexOf('__') < 0) {
    WebPageLibrary[name + '__deps'] = ['$WebPage'].concat(WebPageLibrary[name + '__deps'] || []);
  }
});
mergeInto(LibraryManager.library, WebPageLibrary);
