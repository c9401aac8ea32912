// What the browser tests and the browser benchmark share: their command
// line (--name value pairs), Chromium and puppeteer-core found or the run
// skipped, and a folder served by python's static server on 127.0.0.1 at a
// free port, under a sub-path as a project page is when asked.
'use strict';
const childProcess = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

function parseArgs(argv) {
  const args = {};
  for (let i = 2; i + 1 < argv.length; i += 2) args[argv[i].replace(/^--/, '')] = argv[i + 1];
  return args;
}

// A test without its browser is skipped (status 77), saying why.
const kSkip = 77;
function skip(why) {
  console.error('skipped: ' + why);
  process.exit(kSkip);
}

// puppeteer-core from --puppeteer for the Chromium at --chromium.
function puppeteerOrSkip(args) {
  if (!args.chromium || !fs.existsSync(args.chromium)) skip('no Chromium at ' + args.chromium);
  try {
    return require(args.puppeteer);
  } catch (e) {
    skip('puppeteer-core is not installed in ' + args.puppeteer + ' (script/build-web installs it)');
  }
}

// Serves `folder` at /project/kelvane/ of a temporary root (`subPath`) or
// at the root; answers the address, the temporary root (a place for the
// caller's own files too, or none) and stop(), which ends the server and
// removes the root.
async function serve(folder, subPath) {
  let root = null, cwd = path.resolve(folder), base = '/';
  if (subPath) {
    root = fs.mkdtempSync(path.join(os.tmpdir(), 'kelvane-site-'));
    fs.mkdirSync(path.join(root, 'project'));
    fs.symlinkSync(cwd, path.join(root, 'project', 'kelvane'));
    cwd = root;
    base = '/project/kelvane/';
  }
  const server = childProcess.spawn('python3', ['-m', 'http.server', '--bind', '127.0.0.1', '0'],
                                    {cwd, stdio: ['ignore', 'pipe', 'pipe']});
  const port = await new Promise((resolve, reject) => {
    let out = '';
    server.stdout.on('data', d => {
      out += d;
      const m = /port (\d+)/.exec(out);
      if (m) resolve(Number(m[1]));
    });
    server.on('exit', () => reject(new Error('the server ended: ' + out)));
  });
  return {
    url: 'http://127.0.0.1:' + port + base,
    root,
    stop() {
      server.kill();
      if (root) fs.rmSync(root, {recursive: true, force: true});
    },
  };
}

module.exports = {parseArgs, skip, puppeteerOrSkip, serve};
