// The page's side of the browser backend (web_platform.cpp): one HTML
// element per control, placed where the layout puts it, and the user's
// actions handed back to the program through its kelvane_* entry points.
// Loaded before the program (--pre-js); the page gives the program a
// container, Module.kelvaneRoot (document.body without one).
var KV = {
  els: {},         // handle -> element
  kinds: {},       // handle -> control kind
  busy: false,     // inside a call into the program
  boxes: [],       // open message boxes, the last on top
  menuEl: null,
  lastClipboard: '',  // the program's last copy
  clipboardText: '',  // the last copy, the program's or the browser's
  pictures: {},    // handle -> what the canvas last drew, for redraws at another ratio
  // Control kinds, in the order of TControlKind.
  FORM: 0, BUTTON: 1, CHECK: 2, GROUP: 3, EDIT: 4, LABEL: 5, PICK: 6, EDITLIST: 7, TABS: 8, PANEL: 9, IMAGE: 10,
  TABLE: 11,

  // Calls into the program once at a time: what the program does to the
  // page (a focus moved, a value shown) does not come back to it as the
  // user's. The fields are named again after a call the user made (a
  // worker's slice shows results and names nothing).
  call: function (name, types, args, slice) {
    if (KV.busy) return 0;
    KV.busy = true;
    try {
      return Module.ccall(name, 'number', types, args);
    } finally {
      KV.busy = false;
      if (!slice) KV.nameFields();
    }
  },

  root: function () { return Module.kelvaneRoot || document.body; },
  // Where the children of a control go.
  host: function (h) {
    var el = KV.els[h];
    if (!el) return KV.root();
    return el.kvClient || el;
  },

  // A right click on a label, frame or picture (not on what it holds)
  // asks the program for its menu, shown where the pointer is.
  askForMenu: function (el, h) {
    el.addEventListener('contextmenu', function (e) {
      if (KV.handleOf(e.target) !== h) return;
      e.preventDefault();
      KV.menuAt = {x: e.pageX, y: e.pageY};
      KV.call('kelvane_context', ['number'], [h]);
      KV.menuAt = null;
    });
  },

  create: function (h, kind, parent) {
    var el, d = document;
    switch (kind) {
      case KV.FORM: {
        el = d.createElement('div');
        el.className = 'kv-form';
        el.setAttribute('role', 'application');
        var caption = d.createElement('div');
        caption.className = 'kv-caption';
        el.kvCaption = d.createElement('span');
        caption.appendChild(el.kvCaption);
        if (parent) {
          // A window over another: an in-page window named by its caption,
          // with a close box, standing where the program places it.
          el.kvOwned = true;
          el.classList.add('kv-owned');
          el.setAttribute('role', 'dialog');
          el.kvCaption.id = 'kv-caption-' + h;
          el.setAttribute('aria-labelledby', el.kvCaption.id);
          var close = d.createElement('button');
          close.type = 'button';
          close.className = 'kv-close';
          close.tabIndex = -1;
          close.title = 'Close';
          close.setAttribute('aria-label', 'Close');
          close.textContent = '\u00d7';
          close.addEventListener('click', function () { KV.call('kelvane_close', ['number'], [h]); });
          caption.appendChild(close);
        }
        el.appendChild(caption);
        el.kvClient = d.createElement('div');
        el.kvClient.className = 'kv-client';
        el.appendChild(el.kvClient);
        el.style.display = 'none';
        break;
      }
      case KV.BUTTON:
        el = d.createElement('button');
        el.type = 'button';
        el.addEventListener('click', function () { KV.call('kelvane_click', ['number', 'number'], [h, 0]); });
        break;
      case KV.CHECK: {
        el = d.createElement('label');
        el.className = 'kv-check';
        el.kvInput = d.createElement('input');
        el.kvInput.type = 'checkbox';
        el.kvText = d.createElement('span');
        el.appendChild(el.kvInput);
        el.appendChild(el.kvText);
        el.kvInput.addEventListener('change', function () {
          KV.call('kelvane_click', ['number', 'number'], [h, el.kvInput.checked ? 1 : 0]);
        });
        break;
      }
      case KV.GROUP: {
        el = d.createElement('div');
        el.className = 'kv-group';
        el.setAttribute('role', 'group');
        KV.askForMenu(el, h);
        var frame = d.createElement('div');
        frame.className = 'kv-group-frame';
        el.appendChild(frame);
        el.kvText = d.createElement('span');
        el.kvText.className = 'kv-legend';
        el.appendChild(el.kvText);
        break;
      }
      case KV.EDIT:
        el = d.createElement('input');
        el.type = 'text';
        el.className = 'kv-edit';
        el.spellcheck = false;
        el.setAttribute('autocomplete', 'off');
        el.addEventListener('input', function () { KV.call('kelvane_input', ['number', 'string'], [h, el.value]); });
        break;
      case KV.LABEL:
        el = d.createElement('span');
        el.className = 'kv-label';
        el.addEventListener('click', function () { KV.call('kelvane_click', ['number', 'number'], [h, 0]); });
        KV.askForMenu(el, h);
        el.addEventListener('mouseenter', function () { KV.call('kelvane_hover', ['number', 'number'], [h, 1]); });
        el.addEventListener('mouseleave', function () { KV.call('kelvane_hover', ['number', 'number'], [h, 0]); });
        break;
      case KV.PICK:
        el = d.createElement('select');
        el.className = 'kv-pick';
        el.addEventListener('change', function () { KV.call('kelvane_pick', ['number', 'number'], [h, el.selectedIndex]); });
        break;
      case KV.EDITLIST: {
        // A field the user types into, and the lines behind a button at
        // its right end.
        el = d.createElement('div');
        el.className = 'kv-editlist';
        el.kvInput = d.createElement('input');
        el.kvInput.type = 'text';
        el.kvInput.spellcheck = false;
        el.kvInput.setAttribute('autocomplete', 'off');
        el.kvList = d.createElement('select');
        el.kvList.tabIndex = -1;
        el.kvList.setAttribute('aria-hidden', 'true');
        el.appendChild(el.kvInput);
        el.appendChild(el.kvList);
        el.kvInput.addEventListener('input', function () {
          KV.call('kelvane_input', ['number', 'string'], [h, el.kvInput.value]);
        });
        el.kvList.addEventListener('change', function () {
          var i = el.kvList.selectedIndex;
          el.kvList.selectedIndex = -1;
          KV.call('kelvane_pick', ['number', 'number'], [h, i]);
          el.kvInput.focus();
        });
        break;
      }
      case KV.TABS: {
        el = d.createElement('div');
        el.className = 'kv-tabs';
        el.kvRow = d.createElement('div');
        el.kvRow.className = 'kv-tabrow';
        el.kvRow.setAttribute('role', 'tablist');
        var body = d.createElement('div');
        body.className = 'kv-tabbody';
        el.appendChild(body);
        el.appendChild(el.kvRow);
        break;
      }
      case KV.PANEL:
        // The caption under the controls it holds.
        el = d.createElement('div');
        el.className = 'kv-panel';
        el.kvText = d.createElement('span');
        el.kvText.className = 'kv-panel-caption';
        el.appendChild(el.kvText);
        break;
      case KV.IMAGE:
        el = d.createElement('canvas');
        el.className = 'kv-image';
        el.setAttribute('role', 'img');
        el.addEventListener('click', function () { KV.call('kelvane_click', ['number', 'number'], [h, 0]); });
        KV.askForMenu(el, h);
        break;
      case KV.TABLE: {
        // A read-only grid in a box that scrolls, its headings staying on
        // top; one row selected or none. The grid takes the focus.
        el = d.createElement('div');
        el.className = 'kv-table';
        el.kvFocus = d.createElement('table');
        el.kvFocus.setAttribute('role', 'grid');
        el.kvFocus.setAttribute('aria-readonly', 'true');
        el.kvFocus.tabIndex = 0;
        el.kvCols = d.createElement('colgroup');
        var head = d.createElement('thead');
        el.kvHead = d.createElement('tr');
        head.appendChild(el.kvHead);
        el.kvBody = d.createElement('tbody');
        el.kvFocus.appendChild(el.kvCols);
        el.kvFocus.appendChild(head);
        el.kvFocus.appendChild(el.kvBody);
        el.appendChild(el.kvFocus);
        el.kvBody.addEventListener('mousedown', function (e) {
          var row = e.target.closest('tr');
          if (e.button !== 0 || !row || row.parentNode !== el.kvBody) return;
          KV.call('kelvane_row', ['number', 'number'], [h, Array.prototype.indexOf.call(el.kvBody.children, row)]);
        });
        break;
      }
      default:
        el = d.createElement('div');
    }
    el.dataset.h = h;
    el.classList.add('kv');
    var focusable = el.kvInput || el.kvFocus || el;
    focusable.dataset.h = h;
    KV.els[h] = el;
    KV.kinds[h] = kind;
    // Every window stands in the page itself, over its owner's when owned.
    (kind === KV.FORM ? KV.root() : KV.host(parent)).appendChild(el);
  },

  destroy: function (h) {
    var el = KV.els[h];
    if (!el) return;
    if (el.parentNode) el.parentNode.removeChild(el);
    delete KV.els[h];
    delete KV.kinds[h];
    delete KV.pictures[h];
    delete KV.hiddenPictures[h];
  },

  bounds: function (h, l, t, w, ht) {
    var el = KV.els[h];
    if (!el) return;
    el.dataset.x = l;
    el.dataset.y = t;
    if (KV.kinds[h] === KV.FORM) {
      el.kvClient.style.width = w + 'px';
      el.kvClient.style.height = ht + 'px';
      if (el.kvOwned) {
        el.style.left = l + 'px';
        el.style.top = t + 'px';
      }
      return;
    }
    el.style.left = l + 'px';
    el.style.top = t + 'px';
    el.style.width = w + 'px';
    el.style.height = ht + 'px';
  },

  text: function (h, text) {
    var el = KV.els[h];
    if (!el) return;
    switch (KV.kinds[h]) {
      case KV.FORM:
        el.kvCaption.textContent = text;
        if (!el.kvOwned) document.title = text;
        break;
      case KV.EDIT: if (el.value !== text) el.value = text; break;
      case KV.EDITLIST: if (el.kvInput.value !== text) el.kvInput.value = text; break;
      case KV.CHECK: case KV.GROUP: case KV.PANEL: el.kvText.textContent = text; break;
      case KV.PICK: case KV.TABS: case KV.IMAGE: case KV.TABLE: break;
      default: el.textContent = text;
    }
  },

  visible: function (h, v) {
    var el = KV.els[h];
    if (!el) return;
    if (el.kvOwned && v) el.kvReturnTo = document.activeElement;
    var had = el.kvOwned && !v && el.contains(document.activeElement);
    el.style.display = v ? '' : 'none';
    if (v) Object.keys(KV.hiddenPictures).forEach(function (p) { KV.drawSoon(p); });
    if (!had) return;
    // A window closed with the focus in it gives the focus back to where
    // it was before the window opened (the program hears of it from
    // web_platform.cpp once the call that closed the window has ended).
    var back = el.kvReturnTo;
    if (!back || !back.isConnected || !back.offsetParent) back = KV.root().querySelector('.kv-form');
    if (back && back.focus) back.focus({preventScroll: true});
    if (el.contains(document.activeElement)) document.activeElement.blur();
  },

  enabled: function (h, e) {
    var el = KV.els[h];
    if (!el) return;
    if (el.kvInput) el.kvInput.disabled = !e;
    if (el.kvList) el.kvList.disabled = !e;
    if ('disabled' in el) el.disabled = !e;
    el.classList.toggle('kv-disabled', !e);
  },

  color: function (h, css) {
    var el = KV.els[h];
    if (!el) return;
    var kind = KV.kinds[h];
    if (kind === KV.FORM) el.kvClient.style.backgroundColor = css;
    else if (kind === KV.EDITLIST) el.kvInput.style.backgroundColor = css;
    else if (kind !== KV.BUTTON && kind !== KV.TABS && kind !== KV.IMAGE && kind !== KV.PICK) el.style.backgroundColor = css;
    el.kvBackground = css;
  },

  font: function (h, css, color, style, line) {
    var el = KV.els[h];
    if (!el) return;
    var target = KV.kinds[h] === KV.FORM ? el.kvClient : el;
    target.style.font = css;
    target.style.lineHeight = line + 'px';
    target.style.color = color;
    var decoration = [];
    if (style & 4) decoration.push('underline');
    if (style & 8) decoration.push('line-through');
    target.style.textDecoration = decoration.join(' ');
    if (el.kvInput) el.kvInput.style.font = css;
    if (el.kvRow) el.kvRow.style.font = css;
  },

  edge: function (h, edge, bordered) {
    var el = KV.els[h];
    if (!el) return;
    el.classList.toggle('kv-plain', edge === 1);
    el.classList.toggle('kv-bordered', !!bordered);
  },

  cursor: function (h, hand) {
    var el = KV.els[h];
    if (!el) return;
    el.style.cursor = hand ? 'pointer' : '';
    if (KV.kinds[h] === KV.LABEL) {
      // A label the hand points at is a link: reachable and named as one.
      if (hand) {
        el.setAttribute('role', 'link');
        el.tabIndex = 0;
      } else {
        el.removeAttribute('role');
        el.removeAttribute('tabindex');
      }
    }
  },

  alignment: function (h, a) {
    var el = KV.els[h];
    if (el) el.style.textAlign = ['left', 'center', 'right'][a] || 'left';
  },

  items: function (h, joined) {
    var el = KV.els[h];
    if (!el) return;
    var lines = joined === '' ? [] : joined.split('\n');
    var kind = KV.kinds[h];
    if (kind === KV.TABS) {
      el.kvRow.textContent = '';
      lines.forEach(function (caption, i) {
        var tab = document.createElement('button');
        tab.type = 'button';
        tab.className = 'kv-tab';
        tab.setAttribute('role', 'tab');
        tab.textContent = caption;
        tab.addEventListener('click', function () {
          KV.call('kelvane_pick', ['number', 'number'], [h, i]);
        });
        tab.addEventListener('keydown', function (e) {
          var step = e.key === 'ArrowRight' ? 1 : e.key === 'ArrowLeft' ? -1 : 0;
          if (!step) return;
          e.preventDefault();
          var next = (i + step + lines.length) % lines.length;
          KV.call('kelvane_pick', ['number', 'number'], [h, next]);
          el.kvRow.children[next].focus();
        });
        el.kvRow.appendChild(tab);
      });
      return;
    }
    var list = kind === KV.EDITLIST ? el.kvList : el;
    list.textContent = '';
    lines.forEach(function (line) {
      var option = document.createElement('option');
      option.textContent = line;
      list.appendChild(option);
    });
    list.selectedIndex = -1;
  },

  selected: function (h, index) {
    var el = KV.els[h];
    if (!el) return;
    var kind = KV.kinds[h];
    if (kind === KV.TABS) {
      Array.prototype.forEach.call(el.kvRow.children, function (tab, i) {
        tab.setAttribute('aria-selected', i === index ? 'true' : 'false');
        tab.tabIndex = i === index ? 0 : -1;
        // Captions that do not fit scroll: the selected one into view.
        if (i === index) el.kvRow.scrollLeft = Math.max(0, Math.min(el.kvRow.scrollLeft, tab.offsetLeft - 2),
                                                         tab.offsetLeft + tab.offsetWidth - el.kvRow.clientWidth + 2);
      });
    } else if (kind === KV.TABLE) {
      KV.selectRow(el, index);
    } else if (kind === KV.PICK) {
      el.selectedIndex = index;
    } else if (kind === KV.EDITLIST) {
      el.kvList.selectedIndex = -1;
    }
  },

  checked: function (h, c) {
    var el = KV.els[h];
    if (el && el.kvInput) el.kvInput.checked = !!c;
  },

  focus: function (h) {
    var el = KV.els[h];
    if (!el) return;
    var target = el.kvInput || el.kvFocus || el;
    if (KV.kinds[h] === KV.TABS) target = el.kvRow.querySelector('[aria-selected=true]') || el;
    if (target.focus) target.focus({preventScroll: true});
  },

  raise: function (h) {
    var el = KV.els[h];
    if (!el) return;
    // Windows stay under the boxes and menus, whatever their number.
    if (KV.kinds[h] === KV.FORM) el.style.zIndex = String(Math.min(KV.FORM_TOP, KV.FORM_BOTTOM + ++KV.raised));
    else el.style.zIndex = String(++KV.raised);
  },
  raised: 0,
  FORM_BOTTOM: 10,
  FORM_TOP: 900,

  // Where a window stands in the page ('left' or 'top'); NaN when it is
  // not on it.
  formPlace: function (h, side) {
    var el = KV.els[h];
    if (!el || el.offsetParent === null) return NaN;
    return side === 'left' ? el.offsetLeft : el.offsetTop;
  },

  // --- Tables ----------------------------------------------------------------------
  // Headings parted by the unit separator; widths and alignments by commas.
  columns: function (h, headings, widths, alignments) {
    var el = KV.els[h];
    if (!el) return;
    var texts = headings === '' && widths === '' ? [] : headings.split('\x1f');
    var w = widths.split(','), a = alignments.split(',');
    el.kvAlign = texts.map(function (t, i) { return ['left', 'center', 'right'][Number(a[i])] || 'left'; });
    el.kvCols.textContent = '';
    el.kvHead.textContent = '';
    var total = 0;
    texts.forEach(function (text, i) {
      var col = document.createElement('col');
      col.style.width = (Number(w[i]) || 0) + 'px';
      total += Number(w[i]) || 0;
      el.kvCols.appendChild(col);
      var th = document.createElement('th');
      th.scope = 'col';
      th.textContent = text;
      th.style.textAlign = el.kvAlign[i];
      el.kvHead.appendChild(th);
    });
    el.kvFocus.style.width = total + 'px';
    el.kvFocus.setAttribute('aria-colcount', String(texts.length));
    // The rows again, in the new columns, the selected one still selected.
    var selected = el.kvSelected;
    KV.rows(h, el.kvRowCount || 0, el.kvRows || '');
    if (selected >= 0) KV.selectRow(el, selected);
  },
  // `count` rows parted by the record separator, cells by the unit
  // separator; a row shows as many cells as there are columns.
  rows: function (h, count, joined) {
    var el = KV.els[h];
    if (!el) return;
    el.kvRowCount = count;
    el.kvRows = joined;
    el.kvSelected = -1;
    el.kvBody.textContent = '';
    el.kvFocus.removeAttribute('aria-activedescendant');
    var columns = (el.kvAlign || []).length;
    if (count > 0) {
      joined.split('\x1e').forEach(function (line, r) {
        var tr = document.createElement('tr');
        tr.id = 'kv-row-' + h + '-' + r;
        tr.setAttribute('aria-selected', 'false');
        var cells = line.split('\x1f');
        for (var i = 0; i < columns; ++i) {
          var td = document.createElement('td');
          td.textContent = cells[i] || '';
          td.style.textAlign = el.kvAlign[i];
          tr.appendChild(td);
        }
        el.kvBody.appendChild(tr);
      });
    }
  },
  tableLines: function (h, head, row) {
    var el = KV.els[h];
    if (!el) return;
    el.style.setProperty('--kv-head', head + 'px');
    el.style.setProperty('--kv-row', row + 'px');
  },
  // Shows the selected row and scrolls it into view under the headings.
  selectRow: function (el, index) {
    var rows = el.kvBody.children;
    el.kvSelected = index >= 0 && index < rows.length ? index : -1;
    Array.prototype.forEach.call(rows, function (tr, i) { tr.setAttribute('aria-selected', i === index ? 'true' : 'false'); });
    var row = rows[index];
    if (!row) {
      el.kvFocus.removeAttribute('aria-activedescendant');
      return;
    }
    el.kvFocus.setAttribute('aria-activedescendant', row.id);
    var head = el.kvHead.offsetHeight;
    if (row.offsetTop - head < el.scrollTop) el.scrollTop = row.offsetTop - head;
    else if (row.offsetTop + row.offsetHeight > el.scrollTop + el.clientHeight)
      el.scrollTop = row.offsetTop + row.offsetHeight - el.clientHeight;
  },

  hasSelection: function (h) {
    var el = KV.els[h];
    var field = el && (el.kvInput || el);
    return field && field.selectionStart !== undefined && field.selectionStart !== field.selectionEnd ? 1 : 0;
  },

  tooltip: function (h, text) {
    var el = KV.els[h];
    if (!el) return;
    var target = el.kvInput || el.kvFocus || el;
    if (text) target.title = text; else target.removeAttribute('title');
  },

  // The device pixel ratio, times the program's zoom, by the program's
  // scale rules.
  ratio: function () {
    return Module.ccall('kelvane_round_scale', 'number', ['number'], [(window.devicePixelRatio || 1) * KV.zoomed]);
  },
  // The program's scale (1 unless it sets another): the windows zoomed.
  zoom: function (zoom) {
    KV.zoomed = zoom;
    KV.root().style.zoom = zoom === 1 ? '' : String(zoom);
    KV.redrawPictures();
  },
  zoomed: 1,

  picture: function (h, rgb, pw, ph, dl, dt, dw, dh, background) {
    var el = KV.els[h];
    if (!el) return;
    // The pixels are kept as given and made an image when first drawn:
    // most pictures are on pages not shown yet.
    var record = {background: background, pw: pw, ph: ph, dl: dl, dt: dt, dw: dw, dh: dh, source: null,
                  rgb: pw > 0 && ph > 0 ? rgb.slice() : null};
    KV.pictures[h] = record;
    KV.drawSoon(h);
  },
  // The image of a picture's pixels, made once.
  source: function (p) {
    if (p.source || !p.rgb) return p.source;
    var source = document.createElement('canvas');
    source.width = p.pw;
    source.height = p.ph;
    var sctx = source.getContext('2d');
    var image = sctx.createImageData(p.pw, p.ph), rgb = p.rgb;
    for (var i = 0, j = 0; i < p.pw * p.ph * 3; i += 3, j += 4) {
      image.data[j] = rgb[i];
      image.data[j + 1] = rgb[i + 1];
      image.data[j + 2] = rgb[i + 2];
      image.data[j + 3] = 255;
    }
    sctx.putImageData(image, 0, 0);
    p.source = source;
    p.rgb = null;
    return source;
  },
  hiddenPictures: {},  // handle -> true: not drawn while off screen

  // Pictures are drawn once before the next frame, however often their
  // place, size or background changed since the last.
  drawSoon: function (h) {
    KV.dirty[h] = true;
    if (KV.drawScheduled) return;
    KV.drawScheduled = true;
    requestAnimationFrame(function () {
      KV.drawScheduled = false;
      var dirty = KV.dirty;
      KV.dirty = {};
      Object.keys(dirty).forEach(function (h) { KV.drawPicture(h); });
    });
  },
  dirty: {},
  drawScheduled: false,

  // Asks for the next slice of a worker's body in a task of its own, after
  // the input and painting due now. A message, unlike a timer, is not held
  // back by the browser's least delay between nested timers.
  soon: function () {
    if (!KV.slicePort) {
      var channel = new MessageChannel();
      channel.port1.onmessage = function () { KV.call('kelvane_slice', [], [], true); };
      KV.slicePort = channel.port2;
    }
    KV.slicePort.postMessage(0);
  },
  slicePort: null,
  // While a worker's body goes on in slices the page says it is busy
  // (aria-busy, and the class kv-working on the document).
  working: function (on) {
    KV.root().setAttribute('aria-busy', on ? 'true' : 'false');
    document.documentElement.classList.toggle('kv-working', !!on);
  },

  placePicture: function (h, dl, dt, dw, dh, background) {
    var p = KV.pictures[h];
    if (!p) return;
    p.dl = dl;
    p.dt = dt;
    p.dw = dw;
    p.dh = dh;
    p.background = background;
    KV.drawSoon(h);
  },

  drawPicture: function (h) {
    var el = KV.els[h], p = KV.pictures[h];
    if (!el || !p) return;
    // One not on screen is drawn when it shows (see visible).
    if (el.offsetParent === null) {
      KV.hiddenPictures[h] = true;
      return;
    }
    delete KV.hiddenPictures[h];
    var ratio = KV.ratio();
    var w = parseInt(el.style.width, 10) || 0, ht = parseInt(el.style.height, 10) || 0;
    el.width = Math.round(w * ratio);
    el.height = Math.round(ht * ratio);
    var ctx = el.getContext('2d');
    ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
    ctx.fillStyle = p.background;
    ctx.fillRect(0, 0, w, ht);
    var source = KV.source(p);
    if (!source) return;
    // A picture shown at whole multiples of its pixels keeps them sharp.
    var whole = (p.dw * ratio) % p.pw === 0 && (p.dh * ratio) % p.ph === 0;
    ctx.imageSmoothingEnabled = !whole;
    ctx.imageSmoothingQuality = 'high';
    ctx.drawImage(source, p.dl, p.dt, p.dw, p.dh);
  },

  redrawPictures: function () {
    Object.keys(KV.pictures).forEach(function (h) { KV.drawPicture(h); });
  },

  measure: function (text, css) {
    if (!KV.measurer) KV.measurer = document.createElement('canvas').getContext('2d');
    KV.measurer.font = css;
    return KV.measurer.measureText(text).width;
  },

  clipboard: function (text) {
    KV.lastClipboard = text;
    KV.clipboardText = text;
    if (navigator.clipboard && navigator.clipboard.writeText) navigator.clipboard.writeText(text).catch(function () {});
  },

  open: function (url) { window.open(url, '_blank', 'noopener'); },

  // --- Message boxes: in-page, modal, the first button focused ----------------
  BUTTONS: [[['OK', 1]], [['OK', 1], ['Cancel', 2]], [['Abort', 3], ['Retry', 4], ['Ignore', 5]],
            [['Yes', 6], ['No', 7], ['Cancel', 2]], [['Yes', 6], ['No', 7]], [['Retry', 4], ['Cancel', 2]]],
  box: function (text, caption, style) {
    var d = document;
    var back = d.createElement('div');
    back.className = 'kv-modal';
    var box = d.createElement('div');
    box.className = 'kv-box';
    box.setAttribute('role', 'alertdialog');
    box.setAttribute('aria-modal', 'true');
    var id = 'kv-box-' + (++KV.boxSerial);
    var bar = d.createElement('div');
    bar.className = 'kv-caption';
    bar.id = id + '-caption';
    bar.textContent = caption;
    box.setAttribute('aria-labelledby', bar.id);
    var body = d.createElement('div');
    body.className = 'kv-box-body';
    var icon = d.createElement('div');
    var kind = style & 0xF0;
    icon.className = 'kv-icon ' + ({16: 'kv-icon-error', 32: 'kv-icon-question', 48: 'kv-icon-warning', 64: 'kv-icon-info'}[kind] || 'kv-icon-none');
    icon.textContent = {16: '\u00d7', 32: '?', 48: '!', 64: 'i'}[kind] || '';
    icon.setAttribute('aria-hidden', 'true');
    var message = d.createElement('div');
    message.className = 'kv-box-text';
    message.id = id + '-text';
    message.textContent = text.replace(/\r\n?/g, '\n');
    box.setAttribute('aria-describedby', message.id);
    body.appendChild(icon);
    body.appendChild(message);
    var row = d.createElement('div');
    row.className = 'kv-box-buttons';
    var buttons = KV.BUTTONS[style & 0xF] || KV.BUTTONS[0];
    var record = {back: back, buttons: buttons, returnTo: d.activeElement};
    buttons.forEach(function (b) {
      var button = d.createElement('button');
      button.type = 'button';
      button.textContent = b[0];
      button.dataset.id = b[1];
      button.addEventListener('click', function () { KV.closeBox(record, b[1]); });
      row.appendChild(button);
    });
    box.appendChild(bar);
    box.appendChild(body);
    box.appendChild(row);
    back.appendChild(box);
    (KV.root().closest('body') || d.body).appendChild(back);
    KV.boxes.push(record);
    row.firstChild.focus();
  },
  boxSerial: 0,
  closeBox: function (record, id) {
    var i = KV.boxes.indexOf(record);
    if (i < 0) return;
    KV.boxes.splice(i, 1);
    record.back.parentNode.removeChild(record.back);
    record.answer = id;
    var top = KV.boxes[KV.boxes.length - 1];
    if (top) top.back.querySelector('button').focus();
    else if (record.returnTo && record.returnTo.focus) record.returnTo.focus({preventScroll: true});
  },
  // Escape answers Cancel when there is one, OK when it is the only button.
  escapeBox: function (record) {
    var ids = record.buttons.map(function (b) { return b[1]; });
    if (ids.indexOf(2) >= 0) KV.closeBox(record, 2);
    else if (ids.length === 1 && ids[0] === 1) KV.closeBox(record, 1);
  },

  // --- Popup menus: under the control, picked with the mouse or the keys ------
  menu: function (h, joined) {
    KV.closeMenu();
    var at = KV.els[h];
    if (!at) return;
    var d = document;
    var menu = d.createElement('div');
    menu.className = 'kv-menu';
    menu.setAttribute('role', 'menu');
    joined.split('\n').forEach(function (line, i) {
      var item = d.createElement('button');
      item.type = 'button';
      item.setAttribute('role', 'menuitem');
      item.textContent = line;
      item.addEventListener('click', function () {
        KV.closeMenu();
        KV.call('kelvane_menu_picked', ['number'], [i]);
      });
      menu.appendChild(item);
    });
    // At the pointer when a right click asked for it, else under the control.
    var r = at.getBoundingClientRect();
    menu.style.left = (KV.menuAt ? KV.menuAt.x : r.left + window.scrollX) + 'px';
    menu.style.top = (KV.menuAt ? KV.menuAt.y : r.bottom + window.scrollY) + 'px';
    d.body.appendChild(menu);
    KV.menuEl = menu;
    KV.menuReturnTo = d.activeElement;
    menu.firstChild.focus();
  },
  closeMenu: function () {
    if (!KV.menuEl) return;
    KV.menuEl.parentNode.removeChild(KV.menuEl);
    KV.menuEl = null;
    if (KV.menuReturnTo && KV.menuReturnTo.focus) KV.menuReturnTo.focus({preventScroll: true});
  },

  // --- Keys and focus ------------------------------------------------------------
  handleOf: function (node) {
    var el = node && node.closest ? node.closest('[data-h]') : null;
    return el ? Number(el.dataset.h) : 0;
  },
  keyCode: function (e) {
    switch (e.key) {
      case 'Tab': return 9;
      case 'Enter': return 13;
      case 'Escape': return 27;
      case 'PageUp': return 33;
      case 'PageDown': return 34;
      case 'End': return 35;
      case 'Home': return 36;
      case 'ArrowUp': return 38;
      case 'ArrowDown': return 40;
    }
    return e.key.length === 1 ? e.key.toUpperCase().charCodeAt(0) : 0;
  },
  onKey: function (e) {
    var top = KV.boxes[KV.boxes.length - 1];
    if (top) {
      if (e.key === 'Escape') {
        e.preventDefault();
        KV.escapeBox(top);
      } else if (e.key === 'Tab') {
        // The focus stays in the box.
        var buttons = Array.prototype.slice.call(top.back.querySelectorAll('button'));
        var i = buttons.indexOf(document.activeElement);
        e.preventDefault();
        buttons[(i + (e.shiftKey ? buttons.length - 1 : 1)) % buttons.length].focus();
      }
      return;
    }
    if (KV.menuEl) {
      var items = Array.prototype.slice.call(KV.menuEl.children);
      var at = items.indexOf(document.activeElement);
      if (e.key === 'Escape' || e.key === 'Tab') {
        e.preventDefault();
        KV.closeMenu();
      } else if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
        e.preventDefault();
        var step = e.key === 'ArrowDown' ? 1 : items.length - 1;
        items[(at + step) % items.length].focus();
      }
      return;
    }
    // Keys pressed where no control has the focus (a page just hidden took
    // it along) go to the window.
    var h = KV.handleOf(e.target);
    if (!h) {
      var form = KV.root().querySelector('.kv-form');
      h = form ? Number(form.dataset.h) : 0;
    }
    if (!h) return;
    // Alt with a letter may stand for a Ctrl key the browser keeps (the
    // program says which); the letter is the key's, whatever the layout.
    if (e.altKey && !e.ctrlKey && !e.metaKey && /^Key[A-Z]$/.test(e.code)) {
      if (KV.call('kelvane_alt_key', ['number', 'number', 'number'], [h, e.code.charCodeAt(3), e.shiftKey ? 1 : 0]))
        e.preventDefault();
      return;
    }
    var code = KV.keyCode(e);
    if (!code) return;
    // The browser keeps Ctrl+PgUp/PgDn and Ctrl+Tab for its own tabs: Alt
    // with PgUp/PgDn switches pages as they do on the desktop.
    var ctrl = e.ctrlKey || (e.altKey && (code === 33 || code === 34));
    var tableKey = KV.kinds[h] === KV.TABLE && !e.altKey && code >= 33 && code <= 40;
    if (!ctrl && !tableKey && code !== 9 && code !== 13 && code !== 27) return;
    if (KV.call('kelvane_key', ['number', 'number', 'number', 'number'], [h, code, ctrl ? 1 : 0, e.shiftKey ? 1 : 0]))
      e.preventDefault();
  },
  onFocus: function (e) {
    var h = KV.handleOf(e.target);
    if (h) KV.call('kelvane_focus', ['number'], [h]);
  },
  // The browser copies the selection: a field's selected text, or what is
  // selected on the page. The program reads it back as the clipboard's.
  onCopy: function (e) {
    var t = e.target;
    var text = t && typeof t.selectionStart === 'number' ? t.value.substring(t.selectionStart, t.selectionEnd)
                                                         : String(window.getSelection() || '');
    if (text) KV.clipboardText = text;
  },
  onPointerDown: function (e) {
    if (KV.menuEl && !KV.menuEl.contains(e.target)) KV.closeMenu();
  },

  // Each field is named by the caption left of it on its row; its hint is
  // its description (title).
  nameFields: function () {
    var fields = KV.root().querySelectorAll('input.kv-edit, select.kv-pick, .kv-editlist > input');
    Array.prototype.forEach.call(fields, function (field) {
      var control = field.closest('.kv');
      var parent = control.parentNode;
      var x = Number(control.dataset.x), y = Number(control.dataset.y), h = parseInt(control.style.height, 10) || 0;
      var best = null, bestGap = 1e9;
      Array.prototype.forEach.call(parent.children, function (c) {
        if (!c.classList.contains('kv-label') || !c.textContent.trim()) return;
        var cx = Number(c.dataset.x), cy = Number(c.dataset.y), cw = parseInt(c.style.width, 10) || 0;
        var ch = parseInt(c.style.height, 10) || 0;
        var middle = cy + ch / 2;
        if (middle < y - 2 || middle > y + h + 2 || cx >= x) return;
        var gap = x - (cx + cw);
        if (gap < bestGap) { best = c; bestGap = gap; }
      });
      var name = best ? best.textContent.trim() : (field.title || '');
      if (field.getAttribute('aria-label') !== name) field.setAttribute('aria-label', name);
    });
  },

  // The page hidden (another tab, the browser minimised, a phone's home
  // screen) or left: the program keeps what it must now, since no window
  // closes in a page.
  onHidden: function (e) {
    if (e.type === 'visibilitychange' && document.visibilityState !== 'hidden') return;
    KV.call('kelvane_page_hidden', [], []);
  },

  ready: function () {
    document.addEventListener('visibilitychange', KV.onHidden);
    window.addEventListener('pagehide', KV.onHidden);
    document.addEventListener('keydown', KV.onKey, true);
    document.addEventListener('focusin', KV.onFocus);
    document.addEventListener('pointerdown', KV.onPointerDown, true);
    document.addEventListener('copy', KV.onCopy);
    var watch = function () {
      var query = window.matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)');
      query.addEventListener('change', function () { KV.redrawPictures(); watch(); }, {once: true});
    };
    watch();
    KV.nameFields();
    document.documentElement.classList.add('kv-ready');
    if (Module.onKelvaneReady) Module.onKelvaneReady();
  },
};
