// Headless Chromium from Debian, driven through playwright-core, and a small
// web server on the loopback address for a project folder (pages read back
// from the canvas need http: pictures from file: pages taint the canvas).
'use strict';
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const { chromium } = require('playwright-core');

const CHROMIUM = process.env.VORLANE_CHROMIUM || '/usr/bin/chromium';
const FLAGS = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--autoplay-policy=no-user-gesture-required'];

const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.png': 'image/png',
  '.wav': 'audio/wav', '.mp3': 'audio/mpeg', '.ogg': 'audio/ogg' };

// Serves `dir` on 127.0.0.1 at a free port; resolves to { url, close }.
function serve(dir) {
  const root = path.resolve(dir);
  const server = http.createServer((req, res) => {
    const rel = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    const file = path.resolve(root, '.' + rel);
    if (!file.startsWith(root + path.sep) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      res.writeHead(404);
      res.end();
      return;
    }
    res.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream',
      'Cache-Control': 'no-store' });
    fs.createReadStream(file).pipe(res);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      // Closing also ends the connections the browser keeps open, which
      // would otherwise hold the server until they time out.
      const close = () => new Promise((r) => {
        server.close(r);
        server.closeAllConnections();
      });
      resolve({ url: 'http://127.0.0.1:' + server.address().port + '/', close });
    });
  });
}

// A browser with a fresh profile; close() also removes the profile.
async function launch(options) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlane-chromium-'));
  const context = await chromium.launchPersistentContext(profile, Object.assign({
    executablePath: CHROMIUM, headless: true, args: FLAGS, viewport: { width: 800, height: 600 },
  }, options || {}));
  return {
    context,
    async page() { return context.pages()[0] || context.newPage(); },
    async close() {
      await context.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

// Opens a game page and collects every script error it reports. With
// { manual: true } the game draws its first frame and waits: the test runs
// its steps and frames itself (__vr.step(), __vr.draw()).
async function openGame(browser, url, options) {
  const page = await browser.context.newPage();
  if (options && options.manual) await page.addInitScript(() => { window.__vr_manual = true; });
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  page.on('console', (m) => {
    // The browser asks every site for an icon; a game has none.
    if (m.type() === 'error' && !/favicon\.ico$/.test(m.location().url || '')) errors.push(m.text());
  });
  await page.goto(url);
  await page.waitForFunction(() => window.__vr && __vr.frames > 0, null, { timeout: 15000 });
  return { page, errors };
}

module.exports = { serve, launch, openGame };
