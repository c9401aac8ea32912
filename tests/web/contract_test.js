// The platform contract on the browser backend: contract.html (with
// web_contract.js and its .wasm) served from a local static server and run
// in headless Chromium; prints the suite's own report and ends with its
// status.
//   node contract_test.js --page DIR --puppeteer DIR --chromium PATH [--filter PATTERN]
// Exit status 77: skipped (no browser or no puppeteer-core), with the
// reason on stderr.
'use strict';
const childProcess = require('child_process');
const path = require('path');
const fs = require('fs');

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

async function main() {
  const server = childProcess.spawn('python3', ['-m', 'http.server', '--bind', '127.0.0.1', '0'],
                                    {cwd: path.resolve(args.page), stdio: ['ignore', 'pipe', 'pipe']});
  const port = await new Promise((resolve, reject) => {
    let out = '';
    server.stdout.on('data', d => {
      out += d;
      const m = /port (\d+)/.exec(out);
      if (m) resolve(Number(m[1]));
    });
    server.on('exit', () => reject(new Error('the server ended: ' + out)));
  });
  const browser = await puppeteer.launch({executablePath: args.chromium, headless: true,
                                          args: ['--no-sandbox', '--font-render-hinting=none'],
                                          // The suite holds the page while it runs.
                                          protocolTimeout: 300000});
  let status = 1;
  try {
    const page = await browser.newPage();
    const errors = [];
    page.on('console', m => console.log(m.text()));
    page.on('pageerror', e => errors.push(e.message));
    await page.setViewport({width: 1000, height: 700, deviceScaleFactor: 1});
    const query = args.filter ? '?' + encodeURIComponent('--gtest_filter=' + args.filter) : '';
    await page.goto('http://127.0.0.1:' + port + '/contract.html' + query);
    await page.waitForFunction(() => window.kvContractStatus !== undefined || window.kvContractAborted,
                               {timeout: 240000, polling: 200});
    status = await page.evaluate(() => window.kvContractStatus === undefined ? 1 : window.kvContractStatus);
    for (const e of errors) {
      console.error('error in the page: ' + e);
      status = 1;
    }
  } finally {
    await browser.close();
    server.kill();
  }
  process.exit(status === 0 ? 0 : 1);
}

main().catch(e => {
  console.error(e);
  process.exit(1);
});
