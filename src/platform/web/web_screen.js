// The window on the screen: its scale and place in the area the browser shows, and the frames
// on the window's picture. The window is laid out in its own pixels (CSS pixels at 1:1) and
// scaled down as a whole where the screen is smaller, so that every control keeps its place
// and the pointer's position maps back through the same scale.
//
// A frame is put on its canvas once, pixel for pixel; the browser scales the canvas with the
// window. Nearest-neighbour scaling shows each frame pixel as a whole number of device pixels
// only where the canvas gets a whole number of them per frame pixel: anywhere else it drops or
// doubles rows and columns, and a particle's ring comes out open. So the canvas is placed on
// whole device pixels and scaled exactly at a whole ratio, and smoothly at any other.

var WebScreenLibrary = {
  $WebScreen__deps: ['$WebPage'],
  $WebScreen__postset: 'WebScreen.init();',
  $WebScreen: {
    // Less than this many device pixels of error over the picture's width keeps every frame
    // pixel the same whole number of device pixels wide.
    kWholeRatioSlack: 0.25,
    transform: '', // the window's, as last set

    init: function () {
      window.addEventListener('resize', WebScreen.fit);
      window.addEventListener('orientationchange', WebScreen.fit);
      // Pinch-zooming changes how many device pixels the picture gets, not the window's scale.
      if (window.visualViewport) window.visualViewport.addEventListener('resize', WebScreen.fit);
      WebScreen.watchDeviceRatio();
    },

    // A window moved to a screen of another density changes devicePixelRatio without a resize.
    watchDeviceRatio: function () {
      if (!window.matchMedia) return;
      var query = window.matchMedia('(resolution: ' + window.devicePixelRatio + 'dppx)');
      var changed = function () {
        query.removeEventListener('change', changed);
        WebScreen.watchDeviceRatio();
        WebScreen.fit();
      };
      if (query.addEventListener) query.addEventListener('change', changed);
    },

    // The window's picture: the canvas that WebScreen keeps on whole device pixels.
    picture: function () {
      for (var id in WebPage.controls) {
        if (WebPage.controls[id].kind === 'Image') return WebPage.controls[id];
      }
      return null;
    },

    // An element's place in the window, in the window's own pixels.
    placeIn: function (element, win) {
      var left = 0;
      var top = 0;
      for (var e = element; e && e !== win; e = e.offsetParent) {
        left += e.offsetLeft;
        top += e.offsetTop;
      }
      return { left: left, top: top };
    },

    fit: function () {
      if (!WebPage.shown) return;
      var win = document.getElementById('window');
      var root = document.documentElement;
      var ratio = window.devicePixelRatio || 1;
      var width = win.offsetWidth;
      var height = win.offsetHeight;
      // The area the page shows. Mobile browsers widen innerWidth/innerHeight to the content,
      // which is the window itself; the root element's client size is the screen's, and unlike
      // the visual viewport it stays put while the user pinch-zooms or a keyboard slides up.
      var areaWidth = root.clientWidth;
      var areaHeight = root.clientHeight;
      // One device pixel stays free, for moving the picture by up to half a pixel either way
      // onto whole device pixels without pushing the window's edge off the screen.
      var slack = 1 / ratio;
      var scale = Math.min(1, (areaWidth - slack) / width, (areaHeight - slack) / height);
      var left = (areaWidth - width * scale) / 2;
      var top = (areaHeight - height * scale) / 2;
      var picture = WebScreen.picture();
      if (picture) {
        var at = WebScreen.placeIn(picture, win);
        left = Math.round((left + at.left * scale) * ratio) / ratio - at.left * scale;
        top = Math.round((top + at.top * scale) * ratio) / ratio - at.top * scale;
      }
      // A transform, not left/top: layout rounds positions to its own units, a transform
      // keeps the fraction of a pixel that puts the picture on whole device pixels.
      var transform = 'translate(' + left + 'px, ' + top + 'px)' + (scale < 1 ? ' scale(' + scale + ')' : '');
      if (WebScreen.transform !== transform) {
        WebScreen.transform = transform;
        win.style.transform = transform;
      }
      if (picture) WebScreen.chooseScaling(picture, scale * ratio);
    },

    // Exact where each frame pixel is a whole number of device pixels, smooth anywhere else.
    // Smooth scaling in browsers is bilinear, which below half a device pixel per frame pixel
    // skips frame pixels altogether; there the page first averages blocks of frame pixels
    // itself, so that the browser never scales the canvas below a half.
    chooseScaling: function (picture, devicePixelsPerPixel) {
      var zoomed = window.visualViewport ? window.visualViewport.scale : 1;
      var perPixel = devicePixelsPerPixel * zoomed;
      var whole = Math.round(perPixel);
      var exact = whole >= 1 && Math.abs(perPixel - whole) * picture.offsetWidth < WebScreen.kWholeRatioSlack;
      var rendering = exact ? 'pixelated' : 'auto';
      if (picture.style.imageRendering !== rendering) picture.style.imageRendering = rendering;
      var block = exact ? 1 : Math.max(1, Math.ceil(0.5 / perPixel));
      if (block !== (picture.block || 1)) {
        picture.block = block;
        WebScreen.showFrame(picture);
      }
    },

    // Puts the frame last shown on the canvas: as it is, or averaged over blocks of
    // `picture.block` frame pixels square (a block on the right or bottom edge may be cut).
    showFrame: function (picture) {
      var frame = picture.frame;
      if (!frame) return;
      // Kept in memory rather than on the GPU: the canvas is only ever given pixels, and
      // WebKit shows a GPU canvas as a layer of its own, which its compositor scales
      // nearest-neighbour whatever image-rendering says, and which makes the scaled window
      // around it one more layer to composite on every frame.
      if (!picture.context) picture.context = picture.getContext('2d', { willReadFrequently: true });
      var pixels = frame.pixels;
      if (!pixels || pixels.data.buffer !== HEAPU8.buffer) {
        pixels = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, frame.address, frame.width * frame.height * 4),
                               frame.width, frame.height);
        frame.pixels = pixels;
      }
      var block = picture.block || 1;
      var width = Math.ceil(frame.width / block);
      var height = Math.ceil(frame.height / block);
      // Setting a canvas's size clears it, even to the size it has.
      if (picture.width !== width) picture.width = width;
      if (picture.height !== height) picture.height = height;
      if (block === 1) {
        picture.context.putImageData(pixels, 0, 0);
        return;
      }
      if (!picture.averaged || picture.averaged.width !== width || picture.averaged.height !== height) {
        picture.averaged = new ImageData(width, height);
      }
      WebScreen.average(pixels, block, picture.averaged);
      picture.context.putImageData(picture.averaged, 0, 0);
    },

    average: function (from, block, to) {
      var source = from.data;
      var target = to.data;
      for (var y = 0; y < to.height; ++y) {
        var top = y * block;
        var bottom = Math.min(from.height, top + block);
        for (var x = 0; x < to.width; ++x) {
          var left = x * block;
          var right = Math.min(from.width, left + block);
          var red = 0;
          var green = 0;
          var blue = 0;
          for (var row = top; row < bottom; ++row) {
            for (var i = (row * from.width + left) * 4, end = (row * from.width + right) * 4; i < end; i += 4) {
              red += source[i];
              green += source[i + 1];
              blue += source[i + 2];
            }
          }
          var count = (bottom - top) * (right - left);
          var at = (y * to.width + x) * 4;
          target[at] = red / count;
          target[at + 1] = green / count;
          target[at + 2] = blue / count;
          target[at + 3] = 255;
        }
      }
    },
  },

  // ---- What the C++ backend calls (web_page.h) ----

  // One copy of the pixels into the canvas per frame (where blocks are averaged, one pass more),
  // through an ImageData kept over the program's memory while the frame stays at its address.
  web_page_show_image__deps: ['$WebPage', '$WebScreen'],
  web_page_show_image: function (id, rgba, width, height) {
    var picture = WebPage.controls[id];
    var frame = picture.frame;
    if (!frame || frame.address !== rgba || frame.width !== width || frame.height !== height) {
      picture.frame = { address: rgba, width: width, height: height, pixels: null };
    }
    WebScreen.showFrame(picture);
  },
};

mergeInto(LibraryManager.library, WebScreenLibrary);
