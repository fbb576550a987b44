// The page's menu bar and its drop-down menus, and the keys of the whole window: Alt with a
// menu's letter, the keys of an open menu, and Tab going round the window's controls.

var WebMenuLibrary = {
  $WebMenu__deps: ['$WebPage', '$WebBoxes'],
  $WebMenu__postset: 'WebMenu.init();',
  $WebMenu: {
    openMenu: null,

    init: function () {
      document.addEventListener('keydown', WebMenu.windowKey, true);
      document.addEventListener('pointerdown', function (event) {
        if (WebMenu.openMenu && !WebMenu.openMenu.contains(event.target)) WebMenu.closeMenu();
      }, true);
    },

    makeMenu: function (bar, index) {
      var menu = WebPage.element('div', 'menu', bar);
      menu.heading = WebPage.element('span', 'title', menu);
      menu.dropdown = WebPage.element('div', 'dropdown', menu);
      menu.dropdown.hidden = true;
      menu.heading.addEventListener('pointerdown', function (event) {
        event.preventDefault();
        if (WebMenu.openMenu === menu) WebMenu.closeMenu();
        else WebMenu.showMenu(menu, false);
      });
      return menu;
    },

    makeMenuItem: function (menu) {
      var item = WebPage.element('div', 'item', menu.dropdown);
      item.addEventListener('pointerenter', function () { WebMenu.highlight(item); });
      item.addEventListener('click', function () { WebMenu.chooseItem(item); });
      return item;
    },

    makeSeparator: function (menu) {
      return WebPage.element('div', 'separator', menu.dropdown);
    },

    showMenu: function (menu, fromKeyboard) {
      if (!WebPage.takesInput() || menu.classList.contains('disabled')) return;
      WebMenu.closeMenu();
      WebMenu.openMenu = menu;
      menu.classList.add('open');
      menu.dropdown.hidden = false;
      WebMenu.highlight(fromKeyboard ? WebMenu.menuItems(menu)[0] : null);
    },

    closeMenu: function () {
      var menu = WebMenu.openMenu;
      if (!menu) return;
      WebMenu.openMenu = null;
      menu.classList.remove('open');
      menu.dropdown.hidden = true;
      WebMenu.highlight(null);
    },

    menuItems: function (menu) {
      return Array.prototype.filter.call(menu.dropdown.children, function (item) {
        return item.kind === 'MenuItem' && !item.hidden && !item.classList.contains('disabled');
      });
    },

    highlight: function (item) {
      var menu = WebMenu.openMenu;
      if (menu) Array.prototype.forEach.call(menu.dropdown.children, function (other) {
        other.classList.toggle('highlighted', other === item);
      });
    },

    // Closes the menu first, then chooses, within the user's own gesture: Open then shows the
    // browser's file chooser, which browsers allow only from a gesture.
    chooseItem: function (item) {
      if (item.classList.contains('disabled')) return;
      WebMenu.closeMenu();
      WebPage.deliverWaiting('web_press', item.index);
    },

    // The window's keys: Alt with a menu's letter opens it; in an open menu the arrows move,
    // Enter chooses, a letter chooses its item and Esc closes; Tab stays within the window.
    windowKey: function (event) {
      var menu = WebMenu.openMenu;
      if (menu) {
        var items = WebMenu.menuItems(menu);
        var at = items.indexOf(menu.dropdown.querySelector('.highlighted'));
        var key = event.key;
        if (key === 'Escape' || key === 'Tab' || key === 'Alt') {
          WebMenu.closeMenu();
        } else if (key === 'ArrowDown' || key === 'ArrowUp') {
          var step = key === 'ArrowDown' ? 1 : items.length - 1;
          if (items.length) WebMenu.highlight(items[at < 0 ? 0 : (at + step) % items.length]);
        } else if ((key === 'Enter' || key === ' ') && at >= 0) {
          WebMenu.chooseItem(items[at]);
        } else {
          var chosen = items.filter(function (item) { return item.mnemonic && item.mnemonic === key.toUpperCase(); });
          if (chosen.length) WebMenu.chooseItem(chosen[0]);
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
            WebMenu.showMenu(menus[i], true);
            return;
          }
        }
      }
      if (event.key === 'Tab' && !event.altKey && !event.ctrlKey && WebBoxes.boxes.length === 0) WebMenu.cycleTab(event);
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
  },
};

mergeInto(LibraryManager.library, WebMenuLibrary);
