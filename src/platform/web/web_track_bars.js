// The page's track bars: their elements, the thumb at its position, and the keys, the wheel and
// the pointer that move it. Where the thumb goes is the program's to decide; the bar only hands
// on what the user does and shows the position it is given.

var WebTrackBarsLibrary = {
  $WebTrackBars__deps: ['$WebPage'],
  $WebTrackBars: {
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
      bar.addEventListener('pointerdown', function (event) { WebTrackBars.trackPointerDown(bar, event); });
      bar.addEventListener('pointermove', function (event) { WebTrackBars.trackPointerMove(bar, event); });
      bar.addEventListener('pointerup', function (event) { WebTrackBars.trackPointerUp(bar, event); });
      bar.addEventListener('pointercancel', function (event) { WebTrackBars.trackPointerUp(bar, event); });
      return bar;
    },

    span: function (bar) {
      return Math.max(1, bar.length - WebTrackBars.kThumb);
    },

    // Pixels from the bar's start to where a position puts the thumb's start.
    offsetOf: function (bar, position) {
      if (bar.max <= bar.min) return 0;
      return Math.round((position - bar.min) * WebTrackBars.span(bar) / (bar.max - bar.min));
    },

    // The position under the pointer, with the thumb's middle at `along` pixels.
    positionAt: function (bar, along) {
      var fraction = (along - WebTrackBars.kThumb / 2) / WebTrackBars.span(bar);
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
      bar.thumb.style[bar.vertical ? 'top' : 'left'] = WebTrackBars.offsetOf(bar, position) + 'px';
      if (rangeChanged && bar.tickInterval > 0) {
        bar.ticks.textContent = '';
        for (var v = min; v <= max; v += bar.tickInterval) {
          var tick = WebPage.element('div', 'tick', bar.ticks);
          tick.style[bar.vertical ? 'top' : 'left'] = (WebTrackBars.offsetOf(bar, v) + Math.floor(WebTrackBars.kThumb / 2)) + 'px';
        }
      }
    },

    trackPointerDown: function (bar, event) {
      if (event.button !== 0 || !WebPage.takesInput() || bar.classList.contains('disabled')) return;
      event.preventDefault();
      WebPage.focusControl(bar);
      bar.setPointerCapture(event.pointerId);
      var along = WebTrackBars.alongOf(bar, event);
      var thumbStart = WebTrackBars.offsetOf(bar, bar.position);
      if (along >= thumbStart && along < thumbStart + WebTrackBars.kThumb) {
        // Dragging the thumb: it keeps where it was taken hold of.
        bar.drag = { grip: along - thumbStart - WebTrackBars.kThumb / 2 };
        return;
      }
      // A press on the track moves the thumb a page towards the pointer, and again and again
      // while the press lasts, until the thumb reaches the pointer.
      bar.paging = { along: along };
      var step = function () {
        var target = WebTrackBars.positionAt(bar, bar.paging.along);
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
      if (bar.paging) bar.paging.along = WebTrackBars.alongOf(bar, event);
      if (!bar.drag) return;
      var position = WebTrackBars.positionAt(bar, WebTrackBars.alongOf(bar, event) - bar.drag.grip);
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
  },

  // ---- What the C++ backend calls (web_page.h) ----

  web_page_show_track_bar__deps: ['$WebPage', '$WebTrackBars'],
  web_page_show_track_bar: function (index, min, max, position) {
    WebTrackBars.showTrackBar(WebPage.controls[index], min, max, position);
  },
};

mergeInto(LibraryManager.library, WebTrackBarsLibrary);
