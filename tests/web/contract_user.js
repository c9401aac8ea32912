// The user of the contract page (web_contract_test.cpp): the browser's
// events at dom.js's elements, dispatched as the browser dispatches them,
// outside any call into the program. Loaded after dom.js (--pre-js).
var KVUser = {
  // The page's listeners, as the program's loop installs them; the suite
  // then runs as the program does inside one of the page's calls.
  begin: function () {
    KV.ready();
    KV.busy = true;
  },
  end: function (status) {
    KV.busy = false;
    window.kvContractStatus = status;
  },
  act: function (fn) {
    var was = KV.busy;
    KV.busy = false;
    try {
      return fn();
    } finally {
      KV.busy = was;
    }
  },
  // The element of a control that takes the focus.
  focus: function (h) {
    var el = KV.els[h];
    var target = el.kvFocus || el.kvInput || el;
    target.focus();
    return target;
  },
  // A left click on row `row` of a table; answers whether the page shows it.
  clickRow: function (h, row) {
    return KVUser.act(function () {
      var el = KV.els[h];
      var tr = el && el.kvBody ? el.kvBody.children[row] : null;
      if (!tr) return false;
      var target = tr.firstChild || tr;
      var down = new MouseEvent('mousedown', {bubbles: true, cancelable: true, button: 0});
      target.dispatchEvent(down);
      // The browser's own part of a press: the focus to the element that
      // takes it, unless the page prevented it.
      var focusable = target.closest('[tabindex], input, select, button');
      if (!down.defaultPrevented && focusable) focusable.focus();
      target.dispatchEvent(new MouseEvent('mouseup', {bubbles: true, cancelable: true, button: 0}));
      target.dispatchEvent(new MouseEvent('click', {bubbles: true, cancelable: true, button: 0}));
      return true;
    });
  },
  // A click on a window's close box; answers whether it has one.
  closeBox: function (h) {
    return KVUser.act(function () {
      var el = KV.els[h];
      var close = el ? el.querySelector('.kv-close') : null;
      if (!close) return false;
      close.click();
      return true;
    });
  },
  // A key pressed where the focus is; answers whether the page took it
  // from the browser.
  key: function (name, shift, ctrl) {
    return KVUser.act(function () {
      var target = document.activeElement || document.body;
      var init = {key: name, shiftKey: !!shift, ctrlKey: !!ctrl, bubbles: true, cancelable: true};
      var down = new KeyboardEvent('keydown', init);
      target.dispatchEvent(down);
      target.dispatchEvent(new KeyboardEvent('keyup', init));
      return down.defaultPrevented;
    });
  },
  // Ctrl+C: when the page leaves the key to the browser, the browser copies
  // the selection (its copy event).
  copy: function () {
    if (KVUser.key('c', 0, 1)) return;
    KVUser.act(function () {
      var target = document.activeElement || document.body;
      target.dispatchEvent(new ClipboardEvent('copy', {bubbles: true, cancelable: true}));
    });
  },
  // Picks line `index` of the open menu, or dismisses it with Escape.
  answerMenu: function (index) {
    KVUser.act(function () {
      if (!KV.menuEl) return;
      var item = KV.menuEl.children[index];
      if (item) item.click();
      else document.activeElement.dispatchEvent(new KeyboardEvent('keydown', {key: 'Escape', bubbles: true, cancelable: true}));
    });
  },
  // Answers every open box with its first button; the captions, oldest
  // first, one a line.
  answerBoxes: function () {
    var captions = KV.boxes.map(function (b) { return b.back.querySelector('.kv-caption').textContent; });
    KVUser.act(function () {
      while (KV.boxes.length) KV.boxes[KV.boxes.length - 1].back.querySelector('button').click();
    });
    return captions.join('\n');
  },
  // Where a control is drawn, in device pixels, into heap[at..at+3]:
  // `what` 0 the element (a form's client area), 1 its text, 2 cell
  // `column` of a table's first row; width -1 when it is not drawn.
  place: function (h, what, column, heap, at) {
    var el = KV.els[h];
    var r = null;
    if (el && what === 0) {
      r = (el.kvClient || el).getBoundingClientRect();
    } else if (el && what === 1) {
      var range = document.createRange();
      range.selectNodeContents(el.kvText || el);
      r = range.getBoundingClientRect();
    } else if (el && what === 2 && el.kvBody && el.kvBody.children[0]) {
      var cell = el.kvBody.children[0].children[column];
      if (cell) r = cell.getBoundingClientRect();
    }
    if (!r || (r.width === 0 && r.height === 0)) return;
    var ratio = window.devicePixelRatio || 1;
    heap[at] = r.left * ratio;
    heap[at + 1] = r.top * ratio;
    heap[at + 2] = r.width * ratio;
    heap[at + 3] = r.height * ratio;
  },
  // Between tests: nothing left open, nothing focused.
  leave: function () {
    KV.closeMenu();
    if (document.activeElement && document.activeElement.blur) document.activeElement.blur();
  },
};
