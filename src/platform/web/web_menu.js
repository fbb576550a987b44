// The page's menu bar and its drop-down menus. Which menu is open, which item is highlighted and
// whether the bar waits for an access key are the program's; the page shows them, and hands on
// the pointer: every press with the control under it, a press on a menu's title, the pointer
// over an item, a click on one. The keys reach the menus through the program.

var WebMenuLibrary = {
  $WebMenu__deps: ['$WebPage'],
  $WebMenu__postset: 'WebMenu.init();',
  $WebMenu: {
    init: function () {
      // Before the control under the pointer has the press. Until the window is shown there is
      // no menu bar, and the program may not be running yet.
      document.addEventListener('pointerdown', function (event) {
        if (!WebPage.shown) return;
        var under = event.target;
        while (under && !under.controlId) under = under.parentNode;
        WebPage.call(_web_pointer_pressed, [under ? under.controlId : 0]);
      }, true);
      window.addEventListener('blur', function () { if (WebPage.shown) WebPage.call(_web_dismiss_menus, []); });
    },

    makeMenuBar: function (bar) {
      bar.setAttribute('role', 'menubar');
    },

    makeMenu: function (bar, id) {
      var menu = WebPage.element('div', 'menu', bar);
      // The title is the menu bar's item; the element around it and the drop-down is layout only.
      menu.setAttribute('role', 'none');
      menu.heading = WebPage.element('span', 'title', menu);
      menu.heading.setAttribute('role', 'menuitem');
      menu.heading.setAttribute('aria-haspopup', 'menu');
      menu.heading.setAttribute('aria-expanded', 'false');
      menu.dropdown = WebPage.element('div', 'dropdown', menu);
      menu.dropdown.setAttribute('role', 'menu');
      menu.dropdown.hidden = true;
      menu.heading.addEventListener('pointerdown', function (event) {
        event.preventDefault();
        WebPage.call(_web_menu_title, [id]);
      });
      return menu;
    },

    makeMenuItem: function (menu, id) {
      var item = WebPage.element('div', 'item', menu.dropdown);
      item.setAttribute('role', 'menuitem');
      item.addEventListener('pointerenter', function () { WebPage.call(_web_menu_hover, [id]); });
      // Within the user's own gesture: Open then shows the browser's file chooser, which
      // browsers allow only from a gesture.
      item.addEventListener('click', function () { WebPage.call(_web_press, [id]); });
      return item;
    },

    makeSeparator: function (menu) {
      var line = WebPage.element('div', 'separator', menu.dropdown);
      line.setAttribute('role', 'separator');
      return line;
    },

    showEnabled: function (menu, enabled) {
      menu.heading.setAttribute('aria-disabled', !enabled);
    },

    showMenu: function (menu, open, highlighted) {
      menu.classList.toggle('open', open);
      menu.dropdown.hidden = !open;
      menu.heading.setAttribute('aria-expanded', open);
      Array.prototype.forEach.call(menu.dropdown.children, function (item) {
        item.classList.toggle('highlighted', open && item.controlId === highlighted);
      });
    },

    showArmed: function (bar, armed) {
      Array.prototype.forEach.call(bar.children, function (menu) {
        menu.classList.toggle('armed', menu.controlId === armed);
      });
    },
  },

  // ---- What the C++ backend calls (web_page.h) ----

  web_page_show_menu__deps: ['$WebMenu'],
  web_page_show_menu: function (id, open, highlighted) {
    WebMenu.showMenu(WebPage.controls[id], !!open, highlighted);
  },

  web_page_show_armed__deps: ['$WebMenu'],
  web_page_show_armed: function (id, armed) {
    WebMenu.showArmed(WebPage.controls[id], armed);
  },
};

mergeInto(LibraryManager.library, WebMenuLibrary);
