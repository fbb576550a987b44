// The page's track bars: their elements, the thumb where the program puts it, and the pointer and
// the wheel handed on. Where the thumb goes, what a press on the track does and how long it
// repeats is the program's; the bar only turns places on the screen into fractions of the way
// along it.

var WebTrackBarsLibrary = {
  $WebTrackBars__deps: ['$WebPage'],
  $WebTrackBars: {
    // The thumb is kThumb pixels along the bar; the fractions from the bar's start (left, or
    // top of a vertical bar) to its end spread over the rest.
    kThumb: 11,

    make: function (bar, vertical, ticks) {
      var id = bar.controlId;
      bar.classList.add(vertical ? 'vertical' : 'horizontal');
      bar.setAttribute('role', 'slider');
      bar.setAttribute('aria-orientation', vertical ? 'vertical' : 'horizontal');
      bar.vertical = vertical;
      var width = parseInt(bar.style.width, 10);
      var height = parseInt(bar.style.height, 10);
      bar.length = vertical ? height : width;
      var across = vertical ? width : height;
      bar.groove = WebPage.element('div', 'groove', bar);
      var marks = WebPage.element('div', 'ticks', bar);
      bar.thumb = WebPage.element('div', ticks.length ? 'thumb pointed' : 'thumb', bar);
      // With tick marks the groove and thumb keep to the top (left) and the marks go below
      // (right); without them the groove runs down the middle.
      var middle = ticks.length ? 12 : Math.floor(across / 2);
      var thumbAcross = ticks.length ? 19 : Math.min(21, across - 2);
      var along = vertical ? 'top' : 'left';
      if (vertical) {
        bar.groove.style.left = (middle - 2) + 'px';
        bar.thumb.style.left = (middle - Math.floor(thumbAcross / 2)) + 'px';
        bar.thumb.style.width = thumbAcross + 'px';
      } else {
        bar.groove.style.top = (middle - 2) + 'px';
        bar.thumb.style.top = (middle - Math.floor(thumbAcross / 2)) + 'px';
        bar.thumb.style.height = thumbAcross + 'px';
      }
      ticks.forEach(function (fraction) {
        var tick = WebPage.element('div', 'tick', marks);
        tick.style[along] = (WebTrackBars.offsetOf(bar, fraction) + Math.floor(WebTrackBars.kThumb / 2)) + 'px';
      });
      bar.addEventListener('wheel', function (event) {
        event.preventDefault();
        // A notch is 100 pixels or 3 lines here; the browser counts a turn towards the user as
        // positive, one to the right as positive.
        var perNotch = event.deltaMode === 1 ? 3 : event.deltaMode === 2 ? 1 : 100;
        WebPage.call(_web_track_wheel, [id, -event.deltaY / perNotch, event.deltaX / perNotch]);
      }, { passive: false });
      bar.addEventListener('pointerdown', function (event) { WebTrackBars.pointerDown(bar, event); });
      bar.addEventListener('pointermove', function (event) { WebTrackBars.pointerMove(bar, event); });
      bar.addEventListener('pointerup', function () { WebTrackBars.pointerUp(bar); });
      bar.addEventListener('pointercancel', function () { WebTrackBars.pointerUp(bar); });
    },

    span: function (bar) {
      return Math.max(1, bar.length - WebTrackBars.kThumb);
    },

    // Pixels from the bar's start to the thumb's start at that fraction of the way.
    offsetOf: function (bar, fraction) {
      return Math.round(fraction * WebTrackBars.span(bar));
    },

    // The fraction of the way at which the thumb's middle is `along` pixels from the start.
    fractionAt: function (bar, along) {
      return (along - WebTrackBars.kThumb / 2) / WebTrackBars.span(bar);
    },

    // Pixels along the bar, in the bar's own units however the window is scaled.
    alongOf: function (bar, event) {
      var box = bar.getBoundingClientRect();
      return bar.vertical ? (event.clientY - box.top) * bar.offsetHeight / box.height
                          : (event.clientX - box.left) * bar.offsetWidth / box.width;
    },

    show: function (bar, fraction, min, max, position) {
      bar.fraction = fraction;
      bar.setAttribute('aria-valuemin', min);
      bar.setAttribute('aria-valuemax', max);
      bar.setAttribute('aria-valuenow', position);
      bar.thumb.style[bar.vertical ? 'top' : 'left'] = WebTrackBars.offsetOf(bar, fraction) + 'px';
    },

    pointerDown: function (bar, event) {
      if (event.button !== 0 || bar.classList.contains('disabled')) return;
      event.preventDefault();
      // The focus event tells the program, as a click's focus does.
      bar.focus({ preventScroll: true });
      bar.setPointerCapture(event.pointerId);
      var along = WebTrackBars.alongOf(bar, event);
      var thumbStart = WebTrackBars.offsetOf(bar, bar.fraction);
      if (along >= thumbStart && along < thumbStart + WebTrackBars.kThumb) {
        // Dragging the thumb: it keeps where it was taken hold of.
        bar.drag = { grip: along - thumbStart - WebTrackBars.kThumb / 2 };
        return;
      }
      // A press on the track, and where the pointer goes while it lasts.
      bar.pressed = true;
      WebPage.call(_web_track_press, [bar.controlId, WebTrackBars.fractionAt(bar, along)]);
    },

    pointerMove: function (bar, event) {
      var along = WebTrackBars.alongOf(bar, event);
      if (bar.drag) {
        WebPage.call(_web_track_drag, [bar.controlId, WebTrackBars.fractionAt(bar, along - bar.drag.grip)]);
      } else if (bar.pressed) {
        WebPage.call(_web_track_pointer, [bar.controlId, WebTrackBars.fractionAt(bar, along)]);
      }
    },

    pointerUp: function (bar) {
      if (!bar.drag && !bar.pressed) return;
      bar.drag = null;
      bar.pressed = false;
      WebPage.call(_web_track_release, [bar.controlId]);
    },
  },

  // ---- What the C++ backend calls (web_page.h) ----

  web_page_make_track_bar__deps: ['$WebTrackBars'],
  web_page_make_track_bar: function (id, vertical, ticks, count) {
    var fractions = Array.from(HEAPF64.subarray(ticks >> 3, (ticks >> 3) + count));
    WebTrackBars.make(WebPage.controls[id], !!vertical, fractions);
  },

  web_page_show_track_bar__deps: ['$WebTrackBars'],
  web_page_show_track_bar: function (id, fraction, min, max, position) {
    WebTrackBars.show(WebPage.controls[id], fraction, min, max, position);
  },
};

mergeInto(LibraryManager.library, WebTrackBarsLibrary);
