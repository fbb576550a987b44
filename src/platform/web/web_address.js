// The page's address: the set-up it was opened with, after "#", and the set-up it holds now. The
// address follows the set-up without adding to the browser's history, so that a reload, a
// bookmark or the address sent to someone brings the set-up back, and Back leaves the page as
// it would any other; the part after "#" never reaches a web server.

var WebAddressLibrary = {
  $WebAddress__deps: ['$WebBoxes', '$WebPage', 'free'],
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
      // A link followed in the same tab, Back or Forward: the program opens the set-up as at a
      // load, or refuses it and puts its own back. The page's own writes (replaceState) never
      // come here. The event's address, not the current one, which a write may have replaced
      // since.
      window.addEventListener('hashchange', function (event) {
        var fragment = WebBoxes.cString(new URL(event.newURL).hash.slice(1));
        if (!fragment) return;
        WebPage.call(_web_address_changed, [fragment]);
        _free(fragment);
      });
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
