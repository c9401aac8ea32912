// The platform contract on the browser backend: contract.html (with
// web_contract.js and its .wasm) served from a local static server and run
// in headless Chromium; prints the suite's own report and ends with its
// status.
//   node contract_test.js --page DIR --puppeteer DIR --chromium PATH [--filter PATTERN]
// Exit status 77: skipped (no browser or no puppeteer-core), with the
// reason on stderr.
'use strict';

const {parseArgs, puppeteerOrSkip, serve} = require('./serve.js');

const args = parseArgs(process.argv);
const puppeteer = puppeteerOrSkip(args);

async function main() {
  const site = await serve(args.page, false);
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
    await page.goto(site.url + 'contract.html' + query);
    await page.waitForFunction(() => window.kvContractStatus !== undefined || window.kvContractAborted,
                               {timeout: 240000, polling: 200});
    status = await page.evaluate(() => window.kvContractStatus === undefined ? 1 : window.kvContractStatus);
    for (const e of errors) {
      console.error('error in the page: ' + e);
      status = 1;
    }
  } finally {
    await browser.close();
    site.stop();
  }
  process.exit(status === 0 ? 0 : 1);
}

main().catch(e => {
  console.error(e);
  process.exit(1);
});
