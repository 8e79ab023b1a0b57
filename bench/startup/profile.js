#!/usr/bin/env node
// Where the start-up of a game goes: a CPU profile of each page of the
// start-up bench from navigation to its first drawn frame, in headless
// Chromium, summed over a few visits. Prints, for each page, when the game's
// script booted and drew its first frame, and the functions with the most
// self time (idle time is the page waiting, e.g. on pictures).
//
// Usage (from the repository, after building vorlane-build):
//   node bench/startup/profile.js [build-folder [case,...]]
// Cases: placed, engine, gem_garden, one_sprite (default: all).
'use strict';
const path = require('path');
const ROOT = path.resolve(__dirname, '../..');
const { writeOneSprite, writePlaced, MANY } = require('./run.js');
const { makeProgramFolder, runBuild, removeFolder } = require(path.join(ROOT, 'tests/engine/support/program.js'));
const { serve, launch } = require(path.join(ROOT, 'tests/engine/support/browser.js'));
const { writeProject } = require(path.join(ROOT, 'bench/bunnymark/run.js'));

const VISITS = 3;
const TOP = 18;
const CASES = {
  placed: 'bunnies_placed/index.html',
  engine: 'bunnymark/index.html#' + MANY,
  gem_garden: 'gem_garden/index.html',
  one_sprite: 'one_sprite/index.html',
};

// One visit under the profiler: { boot, first, profile }.
async function profileVisit(browser, url) {
  const page = await browser.context.newPage();
  // The game stops after its first frame, so that the profile holds the
  // start-up only.
  await page.addInitScript(() => { window.__vr_manual = true; });
  const cdp = await page.context().newCDPSession(page);
  await cdp.send('Profiler.enable');
  await cdp.send('Profiler.setSamplingInterval', { interval: 100 });
  await cdp.send('Profiler.start');
  await page.goto(url);
  const handle = await page.waitForFunction(() => window.__vr && __vr.first_frame_ms > 0 &&
    [__vr.start_time, __vr.first_frame_ms], null, { timeout: 60000 });
  const [boot, first] = await handle.jsonValue();
  const { profile } = await cdp.send('Profiler.stop');
  await page.close();
  return { boot, first, profile };
}

// Self time in milliseconds by function (name and place), added into `into`.
function selfTimes(profile, into) {
  const byId = new Map(profile.nodes.map((n) => [n.id, n]));
  const deltas = profile.timeDeltas;
  for (let i = 0; i < profile.samples.length; i++) {
    const n = byId.get(profile.samples[i]);
    const f = n.callFrame;
    const where = f.url ? path.basename(f.url.split('#')[0]) + ':' + (f.lineNumber + 1) : '';
    const key = (f.functionName || '(anonymous)') + (where ? ' ' + where : '');
    // A sample's time is the gap to the next one.
    const dt = (i + 1 < deltas.length ? deltas[i + 1] : 0) / 1000;
    into.set(key, (into.get(key) || 0) + dt);
  }
}

// The first visit as a timeline: runs of samples under one task (the
// outermost function), with the time after navigation they started at and
// the functions they spent most in. The first drawn frame ends the last run
// in __vr_draw, which places the profile against the page's clock.
function timeline(profile, first) {
  const byId = new Map(profile.nodes.map((n) => [n.id, n]));
  const parent = new Map();
  for (const n of profile.nodes) for (const c of n.children || []) parent.set(c, n);
  const label = (n) => (n.callFrame.functionName || '(anonymous)') +
    (n.callFrame.url ? ':' + (n.callFrame.lineNumber + 1) : '');
  const runs = [];
  let t = profile.startTime, drawEnd = 0;
  for (let i = 0; i < profile.samples.length; i++) {
    t += profile.timeDeltas[i];
    const leaf = byId.get(profile.samples[i]);
    let outer = leaf, drawing = false;
    for (let n = leaf; parent.has(n.id) && parent.get(n.id).callFrame.functionName !== '(root)'; n = parent.get(n.id)) {
      outer = parent.get(n.id);
      if (n.callFrame.functionName === '__vr_draw') drawing = true;
    }
    if (leaf.callFrame.functionName === '__vr_draw') drawing = true;
    const dt = (i + 1 < profile.timeDeltas.length ? profile.timeDeltas[i + 1] : 0) / 1000;
    if (drawing && !drawEnd) drawEnd = -1;
    if (drawing && drawEnd) drawEnd = t + dt * 1000;
    const key = label(outer);
    let run = runs[runs.length - 1];
    if (!run || run.key !== key) runs.push(run = { key, start: t, ms: 0, inner: new Map() });
    run.ms += dt;
    run.inner.set(label(leaf), (run.inner.get(label(leaf)) || 0) + dt);
  }
  const zero = drawEnd / 1000 - first;
  console.log('   timeline of one visit (ms after navigation, runs of 2 ms or more):');
  for (const r of runs) {
    if (r.ms < 2 || r.key === '(idle)') continue;
    const inner = [...r.inner.entries()].sort((a, b) => b[1] - a[1]).slice(0, 4)
      .map(([k, ms]) => k + ' ' + ms.toFixed(0)).join(', ');
    console.log(('' + (r.start / 1000 - zero).toFixed(0)).padStart(8) + (r.ms.toFixed(0) + ' ms').padStart(9) +
      '  ' + r.key + '  [' + inner + ']');
  }
}

async function main() {
  const wanted = process.argv[3] ? process.argv[3].split(',') : Object.keys(CASES);
  const dir = makeProgramFolder(true);
  let server, browser;
  try {
    writeProject(dir, 'bunnymark', false);
    writeOneSprite(dir, 'one_sprite');
    if (wanted.includes('placed')) writePlaced(dir, 'bunnies_placed', MANY);
    runBuild(dir, 'gem_garden');
    server = await serve(path.join(dir, 'Projects'));
    browser = await launch();
    await profileVisit(browser, server.url + CASES.one_sprite);
    for (const name of wanted) {
      const totals = new Map();
      const visits = [];
      for (let v = 0; v < VISITS; v++) {
        const r = await profileVisit(browser, server.url + CASES[name]);
        visits.push(r);
        selfTimes(r.profile, totals);
      }
      console.log('\n== ' + name + ': boot at / first frame at (ms after navigation): ' +
        visits.map((r) => r.boot.toFixed(0) + '/' + r.first.toFixed(0)).join(', '));
      console.log('   self time, ms per visit (mean of ' + VISITS + ')');
      timeline(visits[0].profile, visits[0].first);
      const rows = [...totals.entries()].sort((a, b) => b[1] - a[1]).slice(0, TOP);
      for (const [key, ms] of rows) console.log((ms / VISITS).toFixed(1).padStart(9) + '  ' + key);
    }
  } finally {
    if (browser) await browser.close();
    if (server) await server.close();
    removeFolder(dir);
  }
}

main().catch((e) => { console.error(e); process.exit(1); });
