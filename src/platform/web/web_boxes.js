// The page's boxes (the input box and the error box, forms of the program shown over the window,
// laid out as the program lays them out) and its files: the browser's file chooser and
// downloads. The window is covered while the program counts a box open, and the call that waits
// for an answer is woken when it comes.

var WebBoxesLibrary = {
  $WebBoxes__deps: ['$WebPage', 'malloc'],
  $WebBoxes__postset: 'WebBoxes.init();',
  $WebBoxes: {
    closeName: '', // what a screen reader calls a box's close button, in the program's language
    picked: 2, // the chooser's answer: 0 none yet (it is open), 1 a file chosen, 2 cancelled
    // The file offered to the program, chosen, dropped or launched: only its name and size
    // reach the program until it asks for the bytes, and the page lets go of it when told.
    offered: null,
    reading: null, // the program's read of the offered file: { state, count }
    wakeUp: null, // resumes the call that waits for an answer

    init: function () {
      var picker = document.getElementById('picker');
      picker.addEventListener('change', WebBoxes.fileChosen);
      picker.addEventListener('cancel', function () { WebBoxes.answerPick(2); });
      // A press on the cover: the program learns that the user is back at the page, which a
      // browser without the cancel event leaves it to find out. The press moves no focus: the
      // program gives it back to the window when the cover goes.
      var layer = document.getElementById('modal');
      layer.addEventListener('mousedown', function (event) {
        if (event.target !== layer) return;
        event.preventDefault();
        WebPage.call(_web_press_covered, []);
      });
      // Files dragged onto the page are the program's to take or refuse; the browser must never
      // open a dropped file in place of the page.
      document.addEventListener('dragenter', WebBoxes.dragOver);
      document.addEventListener('dragover', WebBoxes.dragOver);
      document.addEventListener('drop', WebBoxes.drop);
      // The installed page opened with files (its manifest's file handlers): offered as a drop
      // is, once the window is there to take them.
      if (window.launchQueue) {
        window.launchQueue.setConsumer(function (params) {
          WebBoxes.whenShown(function () {
            Promise.all(Array.prototype.map.call(params.files, function (handle) { return handle.getFile(); }))
              .then(WebBoxes.offerFiles, function () {
                // A file the browser would not give: nothing to open.
              });
          });
        });
      }
    },

    whenShown: function (then) {
      if (WebPage.shown) then();
      // Not from inside the program's call that shows the window.
      else document.addEventListener('ondulix-shown', function () { setTimeout(then); }, { once: true });
    },

    // ---- Files dragged onto the page ----

    carriesFiles: function (event) {
      return !!event.dataTransfer && Array.prototype.indexOf.call(event.dataTransfer.types, 'Files') >= 0;
    },

    // Until the drop the browser tells how many files come, not their names: the program says
    // whether it takes that many now, and the pointer shows it.
    dragOver: function (event) {
      if (!WebBoxes.carriesFiles(event)) return;
      event.preventDefault();
      var files = Array.prototype.filter.call(event.dataTransfer.items, function (item) {
        return item.kind === 'file';
      }).length;
      event.dataTransfer.dropEffect = WebPage.call(_web_drop_allowed, [files]) ? 'copy' : 'none';
    },

    drop: function (event) {
      if (!WebBoxes.carriesFiles(event)) return;
      event.preventDefault();
      // A folder is no file to open; only some browsers can tell before reading it.
      var items = event.dataTransfer.items;
      var entry = items && items[0] && items[0].webkitGetAsEntry ? items[0].webkitGetAsEntry() : null;
      if (entry && entry.isDirectory) return;
      WebBoxes.offerFiles(event.dataTransfer.files);
    },

    // Files dropped on the page or launched with it: the first is offered, and the program
    // takes or refuses the drop by their number and its name and size; the bytes are read
    // only when it asks for them.
    offerFiles: function (files) {
      WebBoxes.offered = files[0] || null;
      WebPage.call(_web_drop, [files.length]);
    },

    // Reads the offered file's first `size` bytes into the program's memory at `to`, with the
    // window covered meanwhile; the bytes are the program's alone once copied.
    readOffered: function (to, size) {
      var file = WebBoxes.offered;
      WebBoxes.reading = { state: 0, count: 0 };
      var done = function (state, count) {
        WebBoxes.reading = { state: state, count: count };
        WebBoxes.wake();
      };
      if (!file) {
        done(2, 0);
        return;
      }
      file.slice(0, size).arrayBuffer().then(function (buffer) {
        var bytes = new Uint8Array(buffer, 0, Math.min(buffer.byteLength, size));
        HEAPU8.set(bytes, to);
        done(1, bytes.length);
      }, function (error) {
        done(error instanceof RangeError ? 3 : 2, 0);
      });
    },

    // ---- Boxes ----

    // Covers the window while the program counts boxes open over it.
    showCovered: function (boxes) {
      document.getElementById('modal').hidden = boxes === 0;
      document.getElementById('window').inert = boxes > 0;
    },

    // A box of form `form`: the input box (kind 1) or the error box (kind 2), with its title
    // bar; its controls go into its body.
    openBox: function (form, kind, title) {
      var box = WebPage.element('div', 'box ' + (kind === 1 ? 'input' : 'error'), document.getElementById('modal'));
      box.setAttribute('role', kind === 2 ? 'alertdialog' : 'dialog');
      box.setAttribute('aria-modal', 'true');
      var titleBar = WebPage.element('div', 'titlebar', box);
      var caption = WebPage.element('span', 'caption', titleBar);
      caption.id = 'form' + form + '-title';
      caption.textContent = title;
      box.setAttribute('aria-labelledby', caption.id);
      var close = WebPage.element('button', 'close', titleBar);
      close.type = 'button';
      close.tabIndex = -1;
      close.setAttribute('aria-label', WebBoxes.closeName);
      close.textContent = '\u00d7';
      close.addEventListener('click', function () { WebPage.call(_web_close, [form]); });
      return { kind: kind, element: box, area: WebPage.element('div', 'body', box) };
    },

    // Moves a box's controls, made in its body, into a row of their own under the rows before.
    boxRow: function (form, align, errorIcon, controls) {
      var row = WebPage.element('div', 'row ' + ['fill', 'start', 'end', 'centre'][align], WebPage.forms[form].area);
      if (errorIcon) WebPage.element('div', 'icon', row).setAttribute('aria-hidden', 'true');
      controls.forEach(function (id) { row.appendChild(WebPage.controls[id]); });
    },

    layOutBox: function (form, minimumWidth, centred, defaultButton) {
      var box = WebPage.forms[form].element;
      box.style.minWidth = minimumWidth + 'px';
      box.classList.toggle('centred', centred);
      if (defaultButton) WebPage.controls[defaultButton].classList.add('default');
    },

    // ---- Files ----

    pickFile: function (accept) {
      var picker = document.getElementById('picker');
      WebBoxes.picked = 0;
      WebBoxes.offered = null;
      picker.accept = accept;
      // Emptied first, so that picking the same file again is a change too.
      picker.value = '';
      picker.click();
    },

    fileChosen: function () {
      var file = document.getElementById('picker').files[0];
      if (WebBoxes.picked !== 0) return;
      WebBoxes.offered = file || null;
      WebBoxes.answerPick(file ? 1 : 2);
    },

    answerPick: function (state) {
      if (WebBoxes.picked !== 0) return;
      WebBoxes.picked = state;
      WebBoxes.wake();
    },

    // The box or the chooser that a call waits for has its answer: the call goes on once the
    // event that brought the answer has been handled, with nothing of the program's below it.
    wake: function () {
      queueMicrotask(function () {
        var wakeUp = WebBoxes.wakeUp;
        WebBoxes.wakeUp = null;
        if (wakeUp) wakeUp();
      });
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

  web_page_wait_for_answer__deps: ['$WebBoxes', '$Asyncify'],
  web_page_wait_for_answer: function () {
    Asyncify.handleSleep(function (wakeUp) { WebBoxes.wakeUp = wakeUp; });
  },

  web_page_wake__deps: ['$WebBoxes'],
  web_page_wake: function () {
    WebBoxes.wake();
  },

  web_page_pick_file__deps: ['$WebBoxes'],
  web_page_pick_file: function (accept) {
    WebBoxes.pickFile(UTF8ToString(accept));
  },

  web_page_picked_state__deps: ['$WebBoxes'],
  web_page_picked_state: function () {
    return WebBoxes.picked;
  },

  web_page_end_pick__deps: ['$WebBoxes'],
  web_page_end_pick: function () {
    WebBoxes.picked = 2;
  },

  web_page_box_row__deps: ['$WebBoxes'],
  web_page_box_row: function (form, align, errorIcon, controls, count) {
    WebBoxes.boxRow(form, align, !!errorIcon, Array.from(HEAP32.subarray(controls >> 2, (controls >> 2) + count)));
  },

  web_page_lay_out_box__deps: ['$WebBoxes'],
  web_page_lay_out_box: function (form, minimumWidth, centred, defaultButton) {
    WebBoxes.layOutBox(form, minimumWidth, !!centred, defaultButton);
  },

  web_page_show_covered__deps: ['$WebBoxes'],
  web_page_show_covered: function (boxes) {
    WebBoxes.showCovered(boxes);
  },

  web_page_offered_name__deps: ['$WebBoxes'],
  web_page_offered_name: function () {
    return WebBoxes.cString(WebBoxes.offered ? WebBoxes.offered.name : '');
  },

  web_page_offered_size__deps: ['$WebBoxes'],
  web_page_offered_size: function () {
    return WebBoxes.offered ? WebBoxes.offered.size : 0;
  },

  web_page_read_offered__deps: ['$WebBoxes'],
  web_page_read_offered: function (to, size) {
    WebBoxes.readOffered(to, size);
  },

  web_page_read_state__deps: ['$WebBoxes'],
  web_page_read_state: function () {
    return WebBoxes.reading ? WebBoxes.reading.state : 2;
  },

  web_page_read_count__deps: ['$WebBoxes'],
  web_page_read_count: function () {
    return WebBoxes.reading ? WebBoxes.reading.count : 0;
  },

  web_page_forget_offered__deps: ['$WebBoxes'],
  web_page_forget_offered: function () {
    WebBoxes.offered = null;
    WebBoxes.reading = null;
    // The chooser's input holds its file too; the next choice empties it anyway.
    if (WebBoxes.picked !== 0) document.getElementById('picker').value = '';
  },

  web_page_download__deps: ['$WebBoxes'],
  web_page_download: function (name, bytes, size) {
    WebBoxes.download(UTF8ToString(name), HEAPU8.slice(bytes, bytes + size));
  },
};

mergeInto(LibraryManager.library, WebBoxesLibrary);
