// The page's address: the set-up it was opened with, after "#", and the set-up it holds now. The
// address follows the set-up without adding to the browser's history, so that a reload, a
// bookmark or the address sent to someone brings the set-up back, and Back leaves the page as
// it would any other; the part after "#" never reaches a web server.

var WebAddressLibrary = {
  $WebAddress__deps: ['$WebBoxes'],
  $WebAddress__postset: 'WebAddress.init();',
  $WebAddress: {
    // Browsers limit how often a page may change its address (Safari: 100 times in 30 seconds),
    // and the turning view changes the set-up every tick: the address takes the set-up of the
    // moment at most this often, and the last one when the page goes away.
    kInterval: 400,
    pending: null,
    timer: null,

    init: function () {
      window.addEventListener('pagehide', WebAddress.write);
    },

    show: function (fragment) {
      WebAddress.pending = fragment;
      if (!WebAddress.timer) WebAddress.timer = setTimeout(WebAddress.write, WebAddress.kInterval);
    },

    write: function () {
      clearTimeout(WebAddress.timer);
      WebAddress.timer = null;
      if (WebAddress.pending === null) return;
      history.replaceState(history.state, '', '#' + WebAddress.pending);
      WebAddress.pending = null;
    },
  },

  // ---- What the C++ backend calls (web_page.h) ----

  web_page_address_fragment__deps: ['$WebAddress'],
  web_page_address_fragment: function () {
    var hash = window.location.hash;
    return hash.length > 1 ? WebBoxes.cString(hash.slice(1)) : 0;
  },

  web_page_show_link__deps: ['$WebAddress'],
  web_page_show_link: function (fragment) {
    WebAddress.show(UTF8ToString(fragment));
  },
};

mergeInto(LibraryManager.library, WebAddressLibrary);
