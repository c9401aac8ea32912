// Kelvane's site in headless Chromium: the page's scenarios checked against
// what kelvane-drive prints for the same actions, the boxes, the tab strip,
// the fields' accessible names, and screenshots of every page at 1x and 2x.
//   node browser_test.js --site DIR --drive "COMMAND" --screens DIR
//                        --puppeteer DIR --chromium PATH
// The site is served by python3 -m http.server from a sub-path of a
// temporary folder, as a project page would be. Exit status 77: skipped
// (no browser or no puppeteer-core), with the reason on stderr.
'use strict';
const childProcess = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const args = {};
for (let i = 2; i + 1 < process.argv.length; i += 2) args[process.argv[i].replace(/^--/, '')] = process.argv[i + 1];
const kSkip = 77;
function skip(why) {
  console.error('skipped: ' + why);
  process.exit(kSkip);
}
if (!args.chromium || !fs.existsSync(args.chromium)) skip('no Chromium at ' + args.chromium);
let puppeteer;
try {
  puppeteer = require(args.puppeteer);
} catch (e) {
  skip('puppeteer-core is not installed in ' + args.puppeteer + ' (script/build-web installs it)');
}

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

function drive(script) {
  const r = childProcess.spawnSync('sh', ['-c', args.drive], {input: script, encoding: 'utf8'});
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

async function load(browser, url, scale) {
  const page = await browser.newPage();
  page.on('pageerror', e => check(false, 'error in the page: ' + e.message));
  await page.setViewport({width: 900, height: 700, deviceScaleFactor: scale});
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
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'kelvane-site-'));
  fs.mkdirSync(path.join(root, 'project'));
  fs.symlinkSync(path.resolve(args.site), path.join(root, 'project', 'kelvane'));
  const server = childProcess.spawn('python3', ['-m', 'http.server', '--bind', '127.0.0.1', '0'],
                                    {cwd: root, stdio: ['ignore', 'pipe', 'pipe']});
  const port = await new Promise((resolve, reject) => {
    let out = '';
    server.stdout.on('data', d => {
      out += d;
      const m = /port (\d+)/.exec(out);
      if (m) resolve(Number(m[1]));
    });
    server.on('exit', () => reject(new Error('the server ended: ' + out)));
  });
  const url = 'http://127.0.0.1:' + port + '/project/kelvane/';
  const browser = await puppeteer.launch({executablePath: args.chromium, headless: true,
                                          args: ['--no-sandbox', '--font-render-hinting=none']});
  try {
    const page = await load(browser, url, 1);
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
    await screenshots(browser, url, pageCount, path.join(args.screens, '1x'), 1);
    await screenshots(browser, url, pageCount, path.join(args.screens, '2x'), 2);
  } finally {
    await browser.close();
    server.kill();
    fs.rmSync(root, {recursive: true, force: true});
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
