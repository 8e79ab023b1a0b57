// The example game exported by vorlane-build --export, unpacked into a fresh
// folder, served over HTTP and played in headless Chromium.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { execFileSync } = require('child_process');
const { makeProgramFolder, removeFolder } = require('./support/program.js');
const { serve, launch, openGame } = require('./support/browser.js');
const { readZip, unzipInto } = require('./support/unzip.js');

const NAME = 'gem_garden';
const SHOTS = process.env.VORLANE_SCREENSHOTS || os.tmpdir();

let dir, site, served, original, browser;

test.before(async () => {
  dir = makeProgramFolder(true);
  const exe = process.env.VORLANE_BUILD || path.join(__dirname, '../../build/src/vorlane-build');
  execFileSync(exe, ['--export', 'game.zip', NAME], { cwd: dir, stdio: ['ignore', 'pipe', 'pipe'] });
  site = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlane-site-'));
  unzipInto(path.join(dir, 'game.zip'), site);
  served = await serve(site);
  original = await serve(path.join(dir, 'Projects', NAME));
  browser = await launch();
});

test.after(async () => {
  if (browser) await browser.close();
  if (served) await served.close();
  if (original) await original.close();
  if (site) removeFolder(site);
  if (dir) removeFolder(dir);
});

test('the zip holds the page, the script and the media it loads, and nothing of the project', () => {
  const names = readZip(path.join(dir, 'game.zip')).map((e) => e.name);
  assert.deepEqual(names.slice(0, 2), ['index.html', 'game.js']);
  const media = names.slice(2);
  assert.ok(media.length > 0);
  for (const name of media) assert.match(name, /^(img\/[^/]+\.png|aud\/[^/]+\.(wav|mp3|ogg))$/);
  // Every picture and sound the script names is there, and nothing else.
  const script = fs.readFileSync(path.join(site, 'game.js'), 'utf8');
  const named = new Set([...script.matchAll(/'((?:img|aud)\/[^'/]+)'/g)].map((m) => m[1]));
  assert.deepEqual(new Set(media), named);
  assert.equal(fs.existsSync(path.join(site, 'extensions.dat')), false);
});

test('the unpacked game runs from a plain web server and shows the title screen as the project does', async () => {
  const { page, errors } = await openGame(browser, served.url + 'index.html', { manual: true });
  assert.equal(await page.evaluate(() => room === scene_title), true);
  // The sky with a cloud and the sun come from the title picture; nothing
  // moves there.
  const regions = (p) => p.evaluate(() => [[0, 0, 180, 140], [470, 30, 110, 110]].map(
    ([x, y, w, h]) => Array.from(__vr.ctx.getImageData(x, y, w, h).data).join(',')));
  const exported = await regions(page);
  await page.screenshot({ path: path.join(SHOTS, 'vorlane-exported-title.png') });
  assert.deepEqual(errors, [], 'no script error and no file missing');

  const home = await openGame(browser, original.url + 'index.html', { manual: true });
  const reference = await regions(home.page);
  assert.ok(exported[0] === reference[0] && exported[1] === reference[1],
    'the title picture shows as it does from the project folder');
  assert.ok(new Set(exported[1].split(',')).size > 4, 'the region is not a blank fill');
  await home.page.close();
  await page.close();
});
