// The page's modal boxes (the input box and the error box) and its files: the browser's file
// chooser and downloads. While a box or the chooser is open the window takes no input; the
// call that waits for the answer is woken when it comes.

var WebBoxesLibrary = {
  $WebBoxes__deps: ['$WebPage', '$WebMenu', 'malloc'],
  $WebBoxes__postset: 'WebBoxes.init();',
  $WebBoxes: {
    boxes: [], // open boxes, the topmost last
    picking: false, // the browser's file chooser is open
    focusBeforeModal: null,
    inputAnswer: { state: 0, text: '' },
    picked: { state: 0, name: '', bytes: null },
    wakeUp: null, // resumes the call that waits for an answer

    init: function () {
      var picker = document.getElementById('picker');
      picker.addEventListener('change', WebBoxes.fileChosen);
      picker.addEventListener('cancel', function () { WebBoxes.answerPick(2); });
      // Browsers without the cancel event: the page gets the focus back when the chooser
      // closes, and a file chosen comes with a change event soon after.
      window.addEventListener('focus', function () {
        if (!WebBoxes.picking) return;
        setTimeout(function () {
          if (WebBoxes.picking && WebBoxes.picked.state === 0 && picker.files.length === 0) WebBoxes.answerPick(2);
        }, 1000);
      });
    },

    // ---- Boxes ----

    // Covers the page while a box or the file chooser is open; the window then takes no input.
    updateModal: function () {
      var modal = WebBoxes.boxes.length > 0 || WebBoxes.picking;
      var layer = document.getElementById('modal');
      var win = document.getElementById('window');
      if (modal && layer.hidden) {
        WebBoxes.focusBeforeModal = document.activeElement;
        WebMenu.closeMenu();
      }
      layer.hidden = !modal;
      win.inert = modal;
      if (!modal && WebBoxes.focusBeforeModal) {
        var back = WebBoxes.focusBeforeModal;
        WebBoxes.focusBeforeModal = null;
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
      WebBoxes.boxes.push(box);
      WebBoxes.updateModal();
      return box;
    },

    closeBox: function (box) {
      var at = WebBoxes.boxes.indexOf(box);
      if (at < 0) return;
      WebBoxes.boxes.splice(at, 1);
      box.remove();
      if (WebBoxes.boxes.length) WebBoxes.boxes[WebBoxes.boxes.length - 1].querySelector('button:not(.close)').focus();
      WebBoxes.updateModal();
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
      WebBoxes.inputAnswer = { state: 0, text: '' };
      var box;
      var answer = function (state) {
        if (WebBoxes.inputAnswer.state !== 0) return;
        WebBoxes.inputAnswer = { state: state, text: field.value };
        WebBoxes.closeBox(box);
        WebBoxes.answered();
      };
      box = WebBoxes.openBox('input', caption, function () { answer(2); });
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
      var ok = WebBoxes.boxButton(row, 'OK', function () { if (!ok.disabled) answer(1); });
      ok.classList.add('default');
      WebBoxes.boxButton(row, '\u30ad\u30e3\u30f3\u30bb\u30eb', function () { answer(2); });
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
      var close = function () { WebBoxes.closeBox(box); };
      box = WebBoxes.openBox('error', caption, close);
      box.setAttribute('role', 'alertdialog');
      var row = WebPage.element('div', 'message', box.body);
      WebPage.element('div', 'icon', row).setAttribute('aria-hidden', 'true');
      WebPage.element('div', 'text', row).textContent = text;
      var buttons = WebPage.element('div', 'buttons', box.body);
      WebBoxes.boxButton(buttons, 'OK', close).focus();
    },

    // ---- Files ----

    pickFile: function (accept) {
      var picker = document.getElementById('picker');
      WebBoxes.picked = { state: 0, name: '', bytes: null };
      picker.accept = accept;
      // Emptied first, so that picking the same file again is a change too.
      picker.value = '';
      WebBoxes.picking = true;
      WebBoxes.updateModal();
      picker.click();
    },

    fileChosen: function () {
      var file = document.getElementById('picker').files[0];
      if (!WebBoxes.picking) return;
      if (!file) {
        WebBoxes.answerPick(2);
        return;
      }
      file.arrayBuffer().then(function (buffer) {
        WebBoxes.answerPick(1, file.name, new Uint8Array(buffer));
      }, function () {
        WebBoxes.answerPick(2);
      });
    },

    answerPick: function (state, name, bytes) {
      if (!WebBoxes.picking) return;
      WebBoxes.picking = false;
      WebBoxes.picked = { state: state, name: name || '', bytes: bytes || null };
      WebBoxes.updateModal();
      WebBoxes.answered();
    },

    // The box or the chooser that a call waits for has its answer: the call goes on now, from
    // the event that answered, with nothing of the program's below it.
    answered: function () {
      var wakeUp = WebBoxes.wakeUp;
      WebBoxes.wakeUp = null;
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

  web_page_open_input_box__deps: ['$WebBoxes'],
  web_page_open_input_box: function (caption, prompt, text, note, maxLength, needsText) {
    WebBoxes.openInputBox(UTF8ToString(caption), UTF8ToString(prompt), UTF8ToString(text),
                          UTF8ToString(note), maxLength, !!needsText);
  },

  web_page_input_box_state__deps: ['$WebBoxes'],
  web_page_input_box_state: function () {
    return WebBoxes.inputAnswer.state;
  },

  web_page_input_box_text__deps: ['$WebBoxes'],
  web_page_input_box_text: function () {
    return WebBoxes.cString(WebBoxes.inputAnswer.text);
  },

  web_page_wait_for_answer__deps: ['$WebBoxes', '$Asyncify'],
  web_page_wait_for_answer: function () {
    Asyncify.handleSleep(function (wakeUp) { WebBoxes.wakeUp = wakeUp; });
  },

  web_page_show_error_box__deps: ['$WebBoxes'],
  web_page_show_error_box: function (caption, text) {
    WebBoxes.showErrorBox(UTF8ToString(caption), UTF8ToString(text));
  },

  web_page_pick_file__deps: ['$WebBoxes'],
  web_page_pick_file: function (accept) {
    WebBoxes.pickFile(UTF8ToString(accept));
  },

  web_page_picked_state__deps: ['$WebBoxes'],
  web_page_picked_state: function () {
    return WebBoxes.picked.state;
  },

  web_page_picked_name__deps: ['$WebBoxes'],
  web_page_picked_name: function () {
    return WebBoxes.cString(WebBoxes.picked.name);
  },

  web_page_picked_size__deps: ['$WebBoxes'],
  web_page_picked_size: function () {
    return WebBoxes.picked.bytes ? WebBoxes.picked.bytes.length : 0;
  },

  web_page_copy_picked__deps: ['$WebBoxes'],
  web_page_copy_picked: function (to) {
    if (WebBoxes.picked.bytes) HEAPU8.set(WebBoxes.picked.bytes, to);
  },

  web_page_download__deps: ['$WebBoxes'],
  web_page_download: function (name, bytes, size) {
    WebBoxes.download(UTF8ToString(name), HEAPU8.slice(bytes, bytes + size));
  },
};

mergeInto(LibraryManager.library, WebBoxesLibrary);
