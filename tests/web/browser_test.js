// Kelvane's site in headless Chromium: the page's scenarios checked against
// what kelvane-drive prints for the same actions, the boxes, the tab strip,
// the fields' accessible names, the Parts window, the designs kept in the
// browser's storage, and screenshots of every page and of the Parts window
// at 1x and 2x.
//   node browser_test.js --site DIR --drive "COMMAND" --screens DIR
//                        --puppeteer DIR --chromium PATH
// The site is served by python3 -m http.server from a sub-path of a
// temporary folder, as a project page would be. Exit status 77: skipped
// (no browser or no puppeteer-core), with the reason on stderr.
'use strict';
const childProcess = require('child_process');
const fs = require('fs');
const path = require('path');

const {parseArgs, puppeteerOrSkip, serve} = require('./serve.js');

const args = parseArgs(process.argv);
const puppeteer = puppeteerOrSkip(args);

let failures = 0;
function check(ok, what) {
  if (ok) return;
  failures += 1;
  console.error('FAIL: ' + what);
}

// The driver's quoting of a text (UTF-8): \\, \", \r, \n, \t escaped.
function quote(text) {
  return '"' + text.replace(/[\\"\r\n\t]/g, c => ({'\\': '\\\\', '"': '\\"', '\r': '\\r', '\n': '\\n', '\t': '\\t'}[c])) + '"';
}

// What the driver prints for a script; with `state`, the driver keeps its
// inputs in that file (--state).
function drive(script, state) {
  const command = state ? args.drive + ' --state "' + state + '"' : args.drive;
  const r = childProcess.spawnSync('sh', ['-c', command], {input: script, encoding: 'utf8'});
  if (r.error) throw r.error;
  return r.stdout;
}

// --- In the page --------------------------------------------------------------

// The text a control shows, as the driver's get reads it.
function installReaders(page) {
  return page.evaluate(() => {
    window.kvBoxes = [];
    const show = KV.box;
    KV.box = function (text, caption, style) {
      window.kvBoxes.push({text: text, caption: caption, style: style});
      show(text, caption, style);
    };
    window.kvControl = (p, x, y) => {
      const box = document.querySelector('[data-page="' + p + '"]');
      return box ? box.querySelector(':scope > .kv[data-x="' + x + '"][data-y="' + y + '"]') : null;
    };
    window.kvText = el => {
      if (el.kvInput && el.kvInput.type === 'text') return el.kvInput.value;
      if (el.tagName === 'INPUT') return el.value;
      if (el.tagName === 'SELECT') return el.selectedIndex >= 0 ? el.options[el.selectedIndex].textContent : '';
      if (el.kvText) return el.kvText.textContent;
      return el.children.length ? '' : el.textContent;
    };
  });
}

async function closeBoxesWith(page, key) {
  for (let i = 0; i < 20 && await page.$('.kv-modal'); ++i) await page.keyboard.press(key);
}

async function showPage(page, p) {
  const tabs = await page.$$('[role=tab]');
  await tabs[p].click();
}

// A page of the site; `browser` may be a context of its own (its own
// storage). The scenarios compared with the driver start as always
// ("?fresh"), whatever an earlier page kept.
async function load(browser, url, scale, width) {
  const page = await browser.newPage();
  page.on('pageerror', e => check(false, 'error in the page: ' + e.message));
  await page.setViewport({width: width || 900, height: 700, deviceScaleFactor: scale});
  await page.goto(url);
  await page.waitForSelector('html.kv-ready', {timeout: 30000});
  await installReaders(page);
  return page;
}

// Every page's default Calculate shows what the driver shows: every text
// of the page read back, and the boxes.
async function defaultCalculations(page, pageCount) {
  for (let p = 0; p < pageCount; ++p) {
    const hasButton = await page.evaluate(p => !!document.querySelector('[data-page="' + p + '"] button.kv'), p);
    if (!hasButton) continue;
    await showPage(page, p);
    await page.evaluate(() => { window.kvBoxes = []; });
    await page.click('[data-page="' + p + '"] button.kv');
    const seen = await page.evaluate(p => {
      const box = document.querySelector('[data-page="' + p + '"]');
      const lines = window.kvBoxes.map(b => ({box: b}));
      for (const el of box.querySelectorAll(':scope > .kv')) {
        if (el.tagName === 'BUTTON' || el.tagName === 'CANVAS') continue;
        lines.push({at: p + '@' + el.dataset.x + ',' + el.dataset.y, text: window.kvText(el)});
      }
      return lines;
    }, p);
    await closeBoxesWith(page, 'Enter');
    const gets = seen.filter(l => l.at);
    const script = 'tab ' + p + '\ncalc ' + p + '\n' + gets.map(l => 'get ' + l.at + '\n').join('');
    const expected = drive(script);
    const shown = seen.map(l => l.box ? 'box ' + quote(l.box.caption) + ' ' + quote(l.box.text) + ' ' + l.box.style
                                      : l.at + ' ' + quote(l.text)).join('\n') + '\n';
    check(shown === expected, 'page ' + p + ': the browser shows\n' + shown + 'where the driver prints\n' + expected);
    console.log('page ' + p + ': ' + gets.length + ' texts and ' + (seen.length - gets.length) + ' boxes as the driver');
  }
}

// A refused input: the in-page box with the driver's caption and text,
// its one button focused; Escape closes it, and so does Enter.
async function refusedInput(page) {
  await showPage(page, 0);
  for (const key of ['Escape', 'Enter']) {
    await page.evaluate(() => { window.kvBoxes = []; });
    const field = await page.evaluate(() => !!window.kvControl(0, 315, 15));
    check(field, 'the Vout field of page 0 is at 315,15');
    await page.click('[data-page="0"] > .kv[data-x="315"][data-y="15"]', {clickCount: 3});
    await page.keyboard.type('1.49');
    await page.click('[data-page="0"] button.kv');
    const modal = await page.evaluate(() => {
      const box = document.querySelector('.kv-modal .kv-box');
      if (!box) return null;
      return {
        caption: box.querySelector('.kv-caption').textContent,
        text: box.querySelector('.kv-box-text').textContent,
        icon: box.querySelector('.kv-icon').className,
        buttons: Array.from(box.querySelectorAll('.kv-box-buttons button')).map(b => b.textContent),
        focused: document.activeElement && document.activeElement.textContent,
        role: box.getAttribute('role'),
        alerted: window.kvBoxes.length,
      };
    });
    const expected = drive('set 0@315,15 1.49\ncalc 0\n');
    check(modal !== null, 'a refused input shows a box');
    if (!modal) continue;
    check(expected === 'box ' + quote(modal.caption) + ' ' + quote(modal.text) + ' 48\n',
          'the box reads ' + JSON.stringify(modal) + ' where the driver prints ' + expected);
    check(modal.icon.includes('kv-icon-warning'), 'the box has the warning icon: ' + modal.icon);
    check(JSON.stringify(modal.buttons) === '["OK"]' && modal.focused === 'OK', 'the box has one OK button, focused');
    check(modal.role === 'alertdialog', 'the box is an alert dialog');
    await page.keyboard.press(key);
    check(!(await page.$('.kv-modal')), key + ' closes the box');
  }
  // The field typed into again: the page calculates without a box.
  await page.click('[data-page="0"] > .kv[data-x="315"][data-y="15"]', {clickCount: 3});
  await page.keyboard.type('5');
  await page.click('[data-page="0"] button.kv');
  check(!(await page.$('.kv-modal')), 'Vout 5 calculates without a box');
}

// The result menu (a right click on a result) and Ctrl+C put on the
// clipboard what the driver's do.
async function resultMenuAndCopy(page) {
  await showPage(page, 0);
  await page.click('[data-page="0"] button.kv');
  await page.click('[data-page="0"] > .kv[data-x="310"][data-y="75"]', {button: 'right'});
  const lines = await page.$$eval('.kv-menu [role=menuitem]', items => items.map(i => i.textContent));
  const focused = await page.evaluate(() => document.activeElement && document.activeElement.getAttribute('role'));
  check(focused === 'menuitem', 'the menu has the focus');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('Enter');
  check(!(await page.$('.kv-menu')), 'picking a line closes the menu');
  const copied = await page.evaluate(() => KV.lastClipboard);
  const expected = drive('calc 0\nchoose #1\nrclick 0@310,75\nclipboard\n');
  const shown = 'menu ' + lines.map(quote).join(' ') + '\nclipboard ' + quote(copied) + '\n';
  check(shown === expected, 'the result menu and its copy read\n' + shown + 'where the driver prints\n' + expected);
  // Escape dismisses the menu and copies nothing.
  await page.evaluate(() => { KV.lastClipboard = ''; });
  await page.click('[data-page="0"] > .kv[data-x="310"][data-y="75"]', {button: 'right'});
  await page.keyboard.press('Escape');
  check(!(await page.$('.kv-menu')) && (await page.evaluate(() => KV.lastClipboard)) === '', 'Escape dismisses the menu');
  // Ctrl+C in a field with nothing selected copies the page's design.
  await page.focus('[data-page="0"] > .kv[data-x="315"][data-y="15"]');
  await page.evaluate(() => { const f = document.activeElement; f.setSelectionRange(f.value.length, f.value.length); });
  await page.keyboard.down('Control');
  await page.keyboard.press('c');
  await page.keyboard.up('Control');
  const design = await page.evaluate(() => KV.lastClipboard);
  const driverDesign = drive('calc 0\ncopy 0\n');
  check('copy 0 ' + quote(design) + '\n' === driverDesign, 'Ctrl+C copies ' + quote(design) + ' where the driver prints ' + driverDesign);
  // With text selected in the field, Ctrl+C is the browser's: the design
  // is not copied.
  await page.evaluate(() => { KV.lastClipboard = ''; const f = document.activeElement; f.setSelectionRange(0, 1); });
  await page.keyboard.down('Control');
  await page.keyboard.press('c');
  await page.keyboard.up('Control');
  check((await page.evaluate(() => KV.lastClipboard)) === '', 'Ctrl+C with a selection leaves the copy to the browser');
  console.log('the result menu, Escape and Ctrl+C copy as the driver');
}

// The About page's link opens its address in a new tab.
async function aboutLink(page, pageCount) {
  await showPage(page, pageCount - 1);
  await page.evaluate(() => { window.open = (url, target) => { window.kvOpened = url + ' ' + target; }; });
  const link = await page.$('[data-page="' + (pageCount - 1) + '"] > .kv[data-x="5"][data-y="35"]');
  check(link !== null, 'the About page has its link at 5,35');
  if (!link) return;
  await link.hover();
  const role = await page.evaluate(el => el.getAttribute('role') + ' ' + getComputedStyle(el).cursor, link);
  check(role === 'link pointer', 'the pointer over the link makes it a link: ' + role);
  await link.click();
  const opened = await page.evaluate(() => window.kvOpened);
  check(opened === 'http://www.example.org/kelvane _blank', 'the link opens ' + opened);
}

// Tab and Shift+Tab move the focus the way the window orders its stops:
// round the page's controls, never out of the window, and back again.
async function tabKeys(page) {
  await showPage(page, 0);
  await page.focus('[data-page="0"] > .kv[data-x="315"][data-y="15"]');
  const start = await page.evaluate(() => document.activeElement.dataset.h);
  const seen = [];
  for (let i = 0; i < 12; ++i) {
    await page.keyboard.press('Tab');
    seen.push(await page.evaluate(() => {
      const el = document.activeElement;
      return el && el.closest('.kv-form') ? el.dataset.h || el.closest('[data-h]').dataset.h : 'outside';
    }));
  }
  check(!seen.includes('outside'), 'Tab keeps the focus in the window: ' + seen.join(' '));
  check(seen[0] !== start && seen.includes(start), 'Tab moves on and comes round again: ' + start + ' then ' + seen.join(' '));
  const back = seen[seen.indexOf(start) - 1] || seen[seen.length - 1];
  await page.focus('[data-page="0"] > .kv[data-x="315"][data-y="15"]');
  await page.keyboard.down('Shift');
  await page.keyboard.press('Tab');
  await page.keyboard.up('Shift');
  const before = await page.evaluate(() => document.activeElement.closest('[data-h]').dataset.h);
  check(seen.indexOf(start) > 0 ? before === back : true, 'Shift+Tab goes back to ' + back + ': ' + before);
}

async function visiblePages(page) {
  return page.evaluate(() => Array.from(document.querySelectorAll('[data-page]'))
    .filter(el => el.offsetParent !== null).map(el => Number(el.dataset.page)));
}

// The accurate search goes on in slices between the browser's tasks: the
// page says it is busy, paints and answers a tab click meanwhile, a second
// Calculate with new inputs replaces the search, and what the page shows
// at the end is what the driver prints for the same inputs.
async function searchInSlices(page) {
  const field = (x, y) => '[data-page="0"] > .kv[data-x="' + x + '"][data-y="' + y + '"]';
  async function type(x, y, text) {
    await page.click(field(x, y), {clickCount: 3});
    await page.keyboard.type(text);
  }
  async function results() {
    await page.waitForFunction(() => !document.documentElement.classList.contains('kv-working'), {timeout: 60000});
    return page.evaluate(() => [[310, 75], [310, 100], [310, 125]]
      .map(([x, y]) => '0@' + x + ',' + y + ' ' + window.kvText(window.kvControl(0, x, y))));
  }
  function driven(inputs) {
    return drive(inputs + 'get 0@310,75\nget 0@310,100\nget 0@310,125\n').trim().split('\n')
      .map(line => line.replace(/ "(.*)"$/, ' $1'));
  }
  await showPage(page, 0);
  const accurate = await page.$eval('[data-page="0"] .kv-check input', el => el.checked);
  if (!accurate) await page.click('[data-page="0"] .kv-check');
  await type(315, 15, '94.5');
  await type(315, 45, '3000');
  await page.evaluate(() => {
    // Frames painted while the page is busy.
    window.kvBusyFrames = 0;
    const count = () => {
      if (document.documentElement.classList.contains('kv-working')) window.kvBusyFrames += 1;
      requestAnimationFrame(count);
    };
    requestAnimationFrame(count);
  });
  await page.click('[data-page="0"] button.kv');
  const busy = await page.evaluate(() => [document.documentElement.classList.contains('kv-working'),
                                          document.getElementById('kelvane').getAttribute('aria-busy')]);
  check(busy[0] && busy[1] === 'true', 'the page is busy while the search goes on: ' + busy);
  await showPage(page, 1);
  const switched = await page.evaluate(() => document.documentElement.classList.contains('kv-working'));
  check(JSON.stringify(await visiblePages(page)) === '[1]', 'a tab click during the search shows page 1');
  await showPage(page, 0);
  const long = await results();
  const expected = driven('set 0@315,15 94.5\npick 0@315,45 3000\naccurate on\ncalc 0\nwait\n');
  check(JSON.stringify(long) === JSON.stringify(expected), 'the long search shows ' + long + ' where the driver prints ' + expected);
  const frames = await page.evaluate(() => window.kvBusyFrames);
  check(frames > 1, 'the page painted ' + frames + ' frames during the search');
  // A second Calculate with other inputs while the search goes on.
  await page.click('[data-page="0"] button.kv');
  await type(315, 15, '50');
  await page.click('[data-page="0"] button.kv');
  const second = await results();
  const secondExpected = driven('set 0@315,15 94.5\npick 0@315,45 3000\naccurate on\ncalc 0\n' +
                                'set 0@315,15 50\ncalc 0\nwait\n');
  check(JSON.stringify(second) === JSON.stringify(secondExpected),
        'Calculate during the search shows ' + second + ' where the driver prints ' + secondExpected);
  // The page as the next scenarios expect it: the estimate, Vout 5, R1 240.
  await page.click('[data-page="0"] .kv-check');
  await type(315, 15, '5');
  await type(315, 45, '240');
  await page.click('[data-page="0"] button.kv');
  console.log('the search in slices: ' + frames + ' frames painted during it, tab click ' +
              (switched ? 'during' : 'after') + ' it, results as the driver');
}

// The tab strip switches pages by click, by the arrow keys on a tab, and
// by Alt+PgDn / Alt+PgUp in a field.
async function tabStrip(page, pageCount) {
  for (let p = pageCount - 1; p >= 0; --p) {
    await showPage(page, p);
    const shown = await visiblePages(page);
    const selected = await page.$$eval('[role=tab]', tabs => tabs.map(t => t.getAttribute('aria-selected')).indexOf('true'));
    check(JSON.stringify(shown) === JSON.stringify([p]) && selected === p,
          'tab ' + p + ' shows pages ' + JSON.stringify(shown) + ', tab ' + selected + ' selected');
  }
  await page.focus('[role=tab][aria-selected=true]');
  await page.keyboard.press('ArrowRight');
  check(JSON.stringify(await visiblePages(page)) === '[1]', 'ArrowRight on tab 0 shows page 1');
  await page.focus('[data-page="1"] input.kv-edit');
  await page.keyboard.down('Alt');
  await page.keyboard.press('PageDown');
  await page.keyboard.up('Alt');
  check(JSON.stringify(await visiblePages(page)) === '[2]', 'Alt+PgDn in a field of page 1 shows page 2');
  await page.keyboard.down('Alt');
  await page.keyboard.press('PageUp');
  await page.keyboard.up('Alt');
  check(JSON.stringify(await visiblePages(page)) === '[1]', 'Alt+PgUp then shows page 1');
}

// Every field of every page has an accessible name: its caption.
async function accessibleNames(page, pageCount) {
  let named = 0;
  for (let p = 0; p < pageCount; ++p) {
    await showPage(page, p);
    const tree = await page.accessibility.snapshot({interestingOnly: true});
    const fields = [];
    (function walk(node) {
      if (!node) return;
      if (node.role === 'textbox' || node.role === 'combobox') fields.push(node);
      (node.children || []).forEach(walk);
    })(tree);
    for (const f of fields) {
      check(typeof f.name === 'string' && f.name.trim() !== '', 'page ' + p + ': a ' + f.role + ' without a name');
      named += 1;
    }
  }
  const vout = await page.evaluate(() => {
    const tabs = document.querySelectorAll('[role=tab]');
    tabs[0].click();
    return window.kvControl(0, 315, 15).getAttribute('aria-label');
  });
  check(vout === 'Vout', 'the Vout field of page 0 is named "Vout": ' + vout);
  console.log(named + ' fields, each with a name');
}

// --- The Parts window --------------------------------------------------------------

// What the Parts window shows: whether it is open, its caption, its note,
// and each table's headings, column widths, rows and selected row; where
// the focus is and whether the window is on top at its middle.
function partsWindowState(page) {
  return page.evaluate(() => {
    const form = document.querySelector('.kv-form.kv-owned');
    if (!form || form.style.display === 'none' || form.offsetParent === null) return {open: false};
    const table = el => ({
      headings: Array.from(el.querySelectorAll('th')).map(th => th.textContent),
      widths: Array.from(el.querySelectorAll('th')).map(th => Math.round(th.getBoundingClientRect().width)),
      rows: Array.from(el.querySelectorAll('tbody tr')).map(tr => Array.from(tr.children).map(td => td.textContent)),
      selected: Array.from(el.querySelectorAll('tbody tr')).findIndex(tr => tr.getAttribute('aria-selected') === 'true'),
    });
    const tables = Array.from(form.querySelectorAll('table[role=grid]'));
    const r = form.getBoundingClientRect();
    const middle = document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2);
    const note = form.querySelector('.kv-client > .kv[data-x="10"][data-y="62"]');
    return {
      open: true,
      caption: form.querySelector('.kv-caption > span').textContent,
      note: note ? note.textContent : null,
      sets: table(tables[0]),
      findings: table(tables[1]),
      focusInside: form.contains(document.activeElement),
      onTop: !!middle && form.contains(middle),
    };
  });
}

// The driver's best sets and worst case for a page, as the window's rows
// read: "set R1=510 R2=1500 Vout=5.00954 err=+0.191%" from the set table
// (its headings name the fields), "worst Vout min=… typ=… max=…" from the
// findings' first row.
function partsLinesOf(state) {
  const names = state.sets.headings.map(h => h.split(', ')[0]);
  const lines = state.sets.rows.map(row => 'set ' + names.slice(1, names.length - 2).map((n, i) => n + '=' + row[i + 1]).join(' ') +
                                           ' err=' + row[names.length - 2]);
  const worst = state.findings.rows[0] || ['', ''];
  const quantity = worst[0].split(' ')[0];
  const [min, typ, max] = worst[1].replace(/ [VA]$/, '').split(' / ');
  lines.push('worst ' + quantity + ' min=' + min + ' typ=' + typ + ' max=' + max);
  return lines;
}

// Each line of the window (partsLinesOf) opens the driver's line of the
// same rank; the driver's lines carry more fields after them.
function checkPartsAsDriver(state, script, what) {
  const expected = drive(script).split('\n').filter(l => l.startsWith('set ') || l.startsWith('worst '));
  const shown = partsLinesOf(state);
  const same = shown.length === expected.length && shown.every((l, i) => expected[i].startsWith(l + ' '));
  check(same, what + ': the Parts window reads\n' + shown.join('\n') + '\nwhere the driver prints\n' + expected.join('\n'));
}

async function pressWith(page, modifier, key) {
  await page.keyboard.down(modifier);
  await page.keyboard.press(key);
  await page.keyboard.up(modifier);
}

// A right click on the control's own area, away from what it holds, at
// (dx, dy) from its top left (negative: from its bottom right).
async function rightClickOn(page, selector, dx, dy) {
  const at = await page.$eval(selector, (el, dx, dy) => {
    const r = el.getBoundingClientRect();
    const x = dx < 0 ? r.right + dx : r.left + dx, y = dy < 0 ? r.bottom + dy : r.top + dy;
    const hit = document.elementFromPoint(x, y);
    return {x: x, y: y, mine: !!hit && hit.closest('[data-h]') === el};
  }, dx, dy);
  check(at.mine, selector + ' is under the pointer at ' + at.x + ',' + at.y);
  await page.mouse.click(at.x, at.y, {button: 'right'});
}

async function menuLines(page) {
  return page.$$eval('.kv-menu [role=menuitem]', items => items.map(i => i.textContent));
}

// The Parts window: the browser keeps Ctrl+D, Alt+P opens the window over
// the main one with the focus in it; before a calculation it says what to
// do first; Escape closes it and the focus comes back. The page's
// right-click menu (on the frame and on the schematic) opens it too, and
// its table then holds the driver's best sets for the page and follows
// each Calculate; the keys and the mouse move its selection; Ctrl+C in it
// copies its content; its close box closes it.
async function partsWindow(page) {
  await showPage(page, 0);
  const vout = '[data-page="0"] > .kv[data-x="315"][data-y="15"]';
  await page.focus(vout);
  await pressWith(page, 'Control', 'KeyD');
  check(!(await partsWindowState(page)).open, 'Ctrl+D is left to the browser (its bookmarks)');

  await pressWith(page, 'Alt', 'KeyP');
  let state = await partsWindowState(page);
  check(state.open, 'Alt+P opens the Parts window');
  if (!state.open) return;
  check(state.caption === 'Parts: LM317 Voltage', 'the window is captioned "Parts: LM317 Voltage": ' + state.caption);
  check(state.onTop && state.focusInside, 'the window is on top, the focus in it: ' + JSON.stringify(state));
  check(/press "Calculate" first/.test(state.note) && state.sets.rows.length === 0,
        'before a calculation the window says so, its sets empty: ' + state.note + ' ' + JSON.stringify(state.sets.rows));
  const dialog = await page.evaluate(() => {
    const form = document.querySelector('.kv-owned');
    return form.getAttribute('role') + ' ' + document.getElementById(form.getAttribute('aria-labelledby')).textContent;
  });
  check(dialog === 'dialog Parts: LM317 Voltage', 'the window is a dialog named by its caption: ' + dialog);
  // Tab and Shift+Tab go round the window's own stops.
  const focusedName = () => page.evaluate(() => document.activeElement.getAttribute('aria-label'));
  const names = [await focusedName()];
  await page.keyboard.press('Tab');
  names.push(await focusedName());
  await pressWith(page, 'Shift', 'Tab');
  names.push(await focusedName());
  await pressWith(page, 'Shift', 'Tab');
  names.push(await page.evaluate(() => document.activeElement.getAttribute('role')));
  check(JSON.stringify(names) === '["Series","Tolerance, %","Series","grid"]',
        'the focus opens on Series and Tab, Shift+Tab go round the window: ' + JSON.stringify(names));
  await page.keyboard.press('Escape');
  check(!(await partsWindowState(page)).open, 'Escape closes the Parts window');
  check(await page.evaluate(sel => document.activeElement === window.kvControl(0, 315, 15), vout),
        'the focus is back in the Vout field');

  // The page's menu on its frame: one line, which opens the window.
  await page.click('[data-page="0"] button.kv');
  await rightClickOn(page, '[data-page="0"]', 4, -4);
  const lines = await menuLines(page);
  check(JSON.stringify(lines) === '["Parts and worst case\u2026"]', 'the frame\'s menu reads ' + JSON.stringify(lines));
  await page.keyboard.press('Enter');
  state = await partsWindowState(page);
  check(state.open && !(await page.$('.kv-menu')), 'the menu\'s line opens the Parts window');
  if (!state.open) return;
  check(JSON.stringify(state.sets.headings) === '["#","R1, Om","R2, Om","Vout, V","Error","Idiv, mA"]' &&
        JSON.stringify(state.sets.widths) === '[25,75,75,85,80,90]',
        'the set table\'s headings and widths are the layout\'s: ' + JSON.stringify(state.sets));
  check(state.sets.selected === 0, 'the best set is selected: ' + state.sets.selected);
  checkPartsAsDriver(state, 'calc 0\nparts 0 E24\n', 'LM317 Voltage, as it starts');
  console.log('the Parts window: ' + state.sets.rows.length + ' sets and the worst case as the driver');

  // The keys and the mouse move the selection.
  await page.focus('.kv-owned table[role=grid]');
  const selections = [];
  for (const key of ['ArrowDown', 'ArrowDown', 'End', 'ArrowUp', 'Home']) {
    await page.keyboard.press(key);
    selections.push((await partsWindowState(page)).sets.selected);
  }
  check(JSON.stringify(selections) === '[1,2,4,3,0]', 'Down, Down, End, Up, Home select rows ' + JSON.stringify(selections));
  await page.click('.kv-owned table[role=grid] tbody tr:nth-child(3) td:nth-child(2)');
  check((await partsWindowState(page)).sets.selected === 2, 'a click selects the third row');
  const active = await page.evaluate(() => {
    const grid = document.querySelector('.kv-owned table[role=grid]');
    return grid.getAttribute('aria-activedescendant') === grid.querySelectorAll('tbody tr')[2].id;
  });
  check(active, 'the grid names the selected row as its active one');

  // Ctrl+C in the window copies the window's content.
  await page.evaluate(() => { KV.lastClipboard = ''; });
  await pressWith(page, 'Control', 'KeyC');
  const copied = await page.evaluate(() => KV.lastClipboard);
  check(copied.startsWith('LM317 Voltage parts\nSeries = E24\n') && copied.includes('Set 1: R1 = 510 Om, R2 = 1500 Om'),
        'Ctrl+C in the window copies its content: ' + JSON.stringify(copied));

  // With an input voltage and a load the findings outgrow their box: End
  // scrolls the last row into view under the headings, which stay on top,
  // and PgDn steps by the rows the box shows whole.
  await page.click('.kv-owned .kv-client > .kv[data-x="90"][data-y="36"]');
  await page.keyboard.type('15');
  await page.click('.kv-owned .kv-client > .kv[data-x="250"][data-y="36"]');
  await page.keyboard.type('0.5');
  await page.focus('.kv-owned .kv-table:last-of-type table[role=grid]');
  await page.keyboard.press('End');
  const scrolled = await page.evaluate(() => {
    const box = document.querySelectorAll('.kv-owned .kv-table')[1];
    const rows = box.querySelectorAll('tbody tr'), head = box.querySelector('th');
    const b = box.getBoundingClientRect(), last = rows[rows.length - 1].getBoundingClientRect();
    return {rows: rows.length, lastSelected: rows[rows.length - 1].getAttribute('aria-selected') === 'true',
            lastInView: last.bottom <= b.bottom && last.top >= head.getBoundingClientRect().bottom - 1,
            headOnTop: Math.abs(head.getBoundingClientRect().top - b.top - 1) < 1, scrollTop: box.scrollTop,
            whole: Math.floor((box.clientHeight - head.offsetHeight) / rows[0].offsetHeight)};
  });
  check(scrolled.rows > scrolled.whole && scrolled.lastSelected && scrolled.lastInView && scrolled.headOnTop &&
        scrolled.scrollTop > 0, 'End in the findings shows their last row under the headings: ' + JSON.stringify(scrolled));
  await page.keyboard.press('Home');
  await page.keyboard.press('PageDown');
  const paged = (await partsWindowState(page)).findings.selected;
  check(paged === scrolled.whole, 'PgDn steps by the ' + scrolled.whole + ' rows the box shows whole: row ' + paged);

  // It follows a Calculate with new inputs.
  await page.click(vout, {clickCount: 3});
  await page.keyboard.type('12');
  await page.click('[data-page="0"] button.kv');
  checkPartsAsDriver(await partsWindowState(page), 'set 0@315,15 12\ncalc 0\nparts 0 E24\n', 'LM317 Voltage at 12 V');
  // And a page switch: the next page has not been calculated.
  await showPage(page, 1);
  state = await partsWindowState(page);
  check(state.caption === 'Parts: LM317 Current' && state.sets.rows.length === 0,
        'on the next page the window follows: ' + state.caption + ' ' + state.sets.rows.length);
  await showPage(page, 0);

  // Its fields are named by their captions for screen readers, and its
  // tables are grids of column headings and cells.
  const tree = await page.accessibility.snapshot({interestingOnly: false, root: await page.$('.kv-owned')});
  const found = {names: [], grid: null};
  (function walk(node) {
    if (!node) return;
    if (node.role === 'textbox' || node.role === 'combobox') found.names.push(node.name);
    if (node.role === 'grid' && !found.grid) found.grid = node;
    (node.children || []).forEach(walk);
  })(tree);
  check(tree && tree.role === 'dialog' && tree.name === 'Parts: LM317 Voltage', 'the window reads as the dialog ' +
        (tree && tree.role + ' "' + tree.name + '"'));
  check(JSON.stringify(found.names) === '["Series","Tolerance, %","Vin, V","Load, A","Ambient, \u00b0C"]',
        'the window\'s fields are named ' + JSON.stringify(found.names));
  const texts = [];
  (function walk(node) {
    if (!node) return;
    if (node.role === 'columnheader' || node.role === 'gridcell') texts.push(node.role + ' ' + node.name);
    (node.children || []).forEach(walk);
  })(found.grid);
  const first = (await partsWindowState(page)).sets.rows[0] || [];
  check(texts.includes('columnheader R1, Om') && texts.includes('gridcell ' + first[1]) && texts.includes('gridcell ' + first[3]),
        'the set grid reads as headings and cells (' + first.join(' ') + '): ' + texts.slice(0, 14).join(', '));

  // The close box closes it; the schematic's menu opens it again.
  await page.click('.kv-owned .kv-close');
  check(!(await partsWindowState(page)).open, 'the close box closes the Parts window');
  await rightClickOn(page, '[data-page="0"] canvas.kv-image', 20, 20);
  const picked = await page.$('.kv-menu [role=menuitem]');
  check(picked !== null, 'the schematic has the page\'s menu');
  if (picked) await picked.click();
  check((await partsWindowState(page)).open, 'the schematic\'s menu line opens the Parts window');
  await page.click('.kv-owned .kv-close');
}

// --- Designs kept in the browser's storage ----------------------------------------

const kKeptItem = 'kelvane.designs';

// In a browser context of its own (its own storage): a first visit keeps
// nothing until the page is left or hidden (each event on its own), and
// then keeps byte for byte what the driver keeps in its file for the same
// inputs; leaving the page (a
// reload) keeps the inputs as they are then and the next visit starts with
// them and calculates with them; "?fresh" starts as always; a damaged kept
// text is refused whole, with one line on the console, and the page works.
async function keptDesigns(browser, url, folder) {
  const context = await browser.createBrowserContext();
  const notes = [];
  const visit = async (query, kept) => {
    const page = await context.newPage();
    page.on('pageerror', e => check(false, 'error in the page: ' + e.message));
    page.on('console', m => { if (m.text().startsWith('kelvane: ')) notes.push(m.text()); });
    if (kept !== undefined) await page.evaluateOnNewDocument((item, text) => localStorage.setItem(item, text), kKeptItem, kept);
    await page.setViewport({width: 900, height: 700, deviceScaleFactor: 1});
    await page.goto(url + query);
    await page.waitForSelector('html.kv-ready', {timeout: 30000});
    await installReaders(page);
    return page;
  };
  const read = (page, p, x, y) => page.evaluate((p, x, y) => window.kvText(window.kvControl(p, x, y)), p, x, y);
  const inputs = async page => [await read(page, 0, 315, 15), await read(page, 0, 315, 45), await read(page, 2, 315, 40)];
  const type = async (page, p, x, y, text) => {
    await page.click('[data-page="' + p + '"] > .kv[data-x="' + x + '"][data-y="' + y + '"]', {clickCount: 3});
    await page.keyboard.type(text);
  };
  const defaults = JSON.stringify(['5', '240', '2']);
  try {
    let page = await visit('');
    check(JSON.stringify(await inputs(page)) === defaults && notes.length === 0,
          'a first visit starts as always, quietly: ' + JSON.stringify(await inputs(page)) + ' ' + notes.join(' | '));
    await type(page, 0, 315, 15, '12');
    await page.select('[data-page="0"] > .kv[data-x="315"][data-y="45"]', '180');
    await showPage(page, 2);
    await type(page, 2, 315, 40, '1.5');
    const keptNow = () => page.evaluate(item => localStorage.getItem(item), kKeptItem);
    check((await keptNow()) === null, 'nothing is kept before the page hides');
    const file = path.join(folder, 'designs.txt');
    const driverKeeps = script => {
      fs.rmSync(file, {force: true});
      drive(script + 'quit\n', file);
      return fs.readFileSync(file, 'utf8');
    };
    // Left (pagehide), the page still visible: it keeps what the driver
    // keeps for the same inputs.
    await page.evaluate(() => window.dispatchEvent(new Event('pagehide')));
    let script = 'set 0@315,15 12\npick 0@315,45 #3\ntab 2\nset 2@315,40 1.5\n';
    let kept = await keptNow(), driverKept = driverKeeps(script);
    check(kept === driverKept, 'left, the page keeps\n' + kept + 'where the driver keeps\n' + driverKept);
    // Hidden (visibilitychange to hidden), after another input.
    await type(page, 2, 315, 15, '7.5');
    await page.evaluate(() => {
      Object.defineProperty(document, 'visibilityState', {value: 'hidden', configurable: true});
      document.dispatchEvent(new Event('visibilitychange'));
    });
    script += 'set 2@315,15 7.5\n';
    kept = await keptNow();
    driverKept = driverKeeps(script);
    check(kept === driverKept, 'hidden, the page keeps\n' + kept + 'where the driver keeps\n' + driverKept);

    // Left (a reload) with Vout 9: the next visit has 9, 180 and 1.5, and
    // calculates with them.
    await showPage(page, 0);
    await type(page, 0, 315, 15, '9');
    await page.reload();
    await page.waitForSelector('html.kv-ready', {timeout: 30000});
    await installReaders(page);
    check(JSON.stringify(await inputs(page)) === '["9","180","1.5"]', 'the next visit starts as the last left: ' +
          JSON.stringify(await inputs(page)));
    await page.click('[data-page="0"] button.kv');
    const r2 = await read(page, 0, 310, 75);
    const driverR2 = drive('set 0@315,15 9\npick 0@315,45 #3\ncalc 0\nget 0@310,75\n');
    check('0@310,75 "' + r2 + '"\n' === driverR2, 'it calculates with them: R2 ' + r2 + ' where the driver prints ' + driverR2);
    await page.close();

    page = await visit('?fresh');
    check(JSON.stringify(await inputs(page)) === defaults, '?fresh starts as always: ' + JSON.stringify(await inputs(page)));
    await page.close();

    // A kept text with a line that is no number: refused whole (the good
    // line before it is not used either), one note.
    notes.length = 0;
    page = await visit('', 'Kelvane inputs 1\n0 315,15 edit 12\n2 315,40 edit abc\n');
    check(JSON.stringify(await inputs(page)) === defaults, 'a damaged kept text leaves the pages as they start: ' +
          JSON.stringify(await inputs(page)));
    check(JSON.stringify(notes) === JSON.stringify(
              ['kelvane: the kept inputs were not used (line 3: "abc" is no number); the pages start as always']),
          'one note on the console: ' + JSON.stringify(notes));
    await page.click('[data-page="0"] button.kv');
    const fresh = drive('calc 0\nget 0@310,75\n');
    check('0@310,75 "' + (await read(page, 0, 310, 75)) + '"\n' === fresh, 'and the page calculates as always');
    await page.close();
    console.log('designs kept in the browser\'s storage as the driver keeps them; ?fresh; a damaged text refused');
  } finally {
    await context.close();
  }
}

// The Parts window of a calculated page, its set table focused, beside
// the main window.
async function partsScreenshot(browser, url, folder, scale) {
  const page = await load(browser, url, scale, 1000);
  await page.click('[data-page="0"] button.kv');
  await page.focus('[data-page="0"] > .kv[data-x="315"][data-y="15"]');
  await pressWith(page, 'Alt', 'KeyP');
  await page.focus('.kv-owned table[role=grid]');
  const form = await page.$('.kv-owned');
  check(form !== null, 'the Parts window opens at ' + scale + 'x');
  if (form) {
    fs.mkdirSync(folder, {recursive: true});
    const file = path.join(folder, 'parts-window.png');
    await form.screenshot({path: file});
    const width = fs.readFileSync(file).readUInt32BE(16);
    check(width === 480 * scale, 'the Parts window at ' + scale + 'x is ' + width + ' pixels wide, its layout 480');
    console.log('the Parts window at ' + scale + 'x in ' + file);
  }
  await page.close();
}

async function screenshots(browser, url, pageCount, folder, scale) {
  const page = await load(browser, url, scale);
  fs.mkdirSync(folder, {recursive: true});
  const form = await page.$('.kv-form');
  let width = 0;
  for (let p = 0; p < pageCount; ++p) {
    await showPage(page, p);
    const file = path.join(folder, 'page-' + p + '.png');
    await form.screenshot({path: file});
    const png = fs.readFileSync(file);
    width = png.readUInt32BE(16);
  }
  const cssWidth = await page.evaluate(() => document.querySelector('.kv-form').getBoundingClientRect().width);
  check(width === Math.round(cssWidth * scale), 'screenshots at ' + scale + 'x are ' + width + ' pixels wide for ' + cssWidth);
  await page.close();
  console.log(pageCount + ' screenshots at ' + scale + 'x in ' + folder);
}

async function main() {
  const site = await serve(args.site, true);
  const url = site.url;
  const fresh = url + '?fresh';
  const browser = await puppeteer.launch({executablePath: args.chromium, headless: true,
                                          args: ['--no-sandbox', '--font-render-hinting=none']});
  try {
    const page = await load(browser, fresh, 1);
    const pageCount = await page.$$eval('[role=tab]', tabs => tabs.length);
    check(pageCount === 10, 'ten pages: ' + pageCount);
    await defaultCalculations(page, pageCount);
    await refusedInput(page);
    await resultMenuAndCopy(page);
    await aboutLink(page, pageCount);
    await tabStrip(page, pageCount);
    await tabKeys(page);
    await accessibleNames(page, pageCount);
    await searchInSlices(page);
    await page.close();
    // Wide enough for the Parts window beside the main one.
    const parts = await load(browser, fresh, 1, 1000);
    await partsWindow(parts);
    await parts.close();
    await keptDesigns(browser, url, site.root);
    for (const scale of [1, 2]) {
      await screenshots(browser, fresh, pageCount, path.join(args.screens, scale + 'x'), scale);
      await partsScreenshot(browser, fresh, path.join(args.screens, scale + 'x'), scale);
    }
  } finally {
    await browser.close();
    site.stop();
  }
  if (failures) {
    console.error(failures + ' checks failed');
    process.exit(1);
  }
  console.log('all checks passed');
}

main().catch(e => {
  console.error(e);
  process.exit(1);
});
