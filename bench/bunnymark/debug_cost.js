#!/usr/bin/env node
// The debug run's cost: bunnymark's frame time (one step and one drawing)
// in a debug run of vorlane-build --debug (its debug script on the page, its
// socket open), idle and with the instances watched, next to the same page
// without the script (a copy of index.html, which the server sends as it
// is). Rounds are taken in turn, in alternating order; the median of the
// rounds' ratios counts, which a slow moment of the machine moves least. The game writes nothing to the console: what
// is measured is what the debug run costs a game that does not use it.
//
// Usage (from the repository, after building vorlane-build):
//   node bench/bunnymark/debug_cost.js [build-folder [count]]     (default: build 5000)
'use strict';
const fs = require('fs');
const path = require('path');
const { spawn } = require('child_process');
const ROOT = path.resolve(__dirname, '../..');
if (process.argv[2]) process.env.VORLANE_BUILD = path.resolve(process.argv[2], 'src', 'vorlane-build');
const { makeProgramFolder, removeFolder, vorlaneBuild } = require(path.join(ROOT, 'tests/engine/support/program.js'));
const { launch, openGame } = require(path.join(ROOT, 'tests/engine/support/browser.js'));
const { writeProject } = require('./run.js');

const N = Number(process.argv[3]) || 5000;
const WARMUP = 20;
const FRAMES = 60;
const ROUNDS = 15;

// Mean milliseconds of a frame, the page's tasks let in between frames, so
// that the debug script's timers (a batch going out, a snapshot of the
// instances) are paid for where they fall.
function measure(page) {
  return page.evaluate(async ([warmup, frames]) => {
    const channel = new MessageChannel();
    const yieldTask = () => new Promise((r) => { channel.port1.onmessage = r; channel.port2.postMessage(0); });
    const tick = () => { __vr.tick(); __vr.ctx.getImageData(0, 0, 1, 1); };
    for (let i = 0; i < warmup; i++) { tick(); await yieldTask(); }
    const t0 = performance.now();
    for (let i = 0; i < frames; i++) { tick(); await yieldTask(); }
    return (performance.now() - t0) / frames;
  }, [WARMUP, FRAMES]);
}

// vorlane-build --debug on the project; resolves to { address, command, stop }.
function debugRun(dir, name) {
  const run = spawn(vorlaneBuild(), ['--debug', name], { cwd: dir, stdio: ['pipe', 'pipe', 'inherit'] });
  return new Promise((resolve, reject) => {
    let out = '';
    run.on('exit', () => reject(new Error('vorlane-build --debug ended:\n' + out)));
    run.stdout.on('data', (d) => {
      out += d;
      const m = out.match(/^ADDRESS (\S+)$/m);
      if (m) resolve({ address: m[1], command: (c) => run.stdin.write(c + '\n'), stop: () => run.stdin.end() });
    });
  });
}

async function main() {
  const dir = makeProgramFolder(false);
  let browser, run;
  try {
    writeProject(dir, 'bunnymark', false);
    const project = path.join(dir, 'Projects', 'bunnymark');
    fs.copyFileSync(path.join(project, 'index.html'), path.join(project, 'plain.html'));
    run = await debugRun(dir, 'bunnymark');
    browser = await launch();
    const median = (a) => a.slice().sort((x, y) => x - y)[a.length >> 1];
    // The page opened first runs slower in headless Chromium, by several
    // per cent; so the pair is opened in both orders and the ratios of the
    // two sessions are averaged.
    const results = { idle: [], watched: [] };
    for (const debugFirst of [false, true]) {
      const open = (debugPage) => openGame(browser, (debugPage ? run.address : run.address.replace(/index\.html$/, 'plain.html')) + '#' + N);
      const first = await open(debugFirst);
      const second = await open(!debugFirst);
      const [plain, debug] = debugFirst ? [second, first] : [first, second];
      for (const g of [plain, debug]) await g.page.evaluate(() => __vr.stop());
      // Rounds in turn, in alternating order.
      const phase = async () => {
        const t = { plain: [], debug: [], ratio: [] };
        for (let round = 0; round < ROUNDS; round++) {
          const pages = round % 2 ? [debug, plain] : [plain, debug];
          const a = await measure(pages[0].page);
          const b = await measure(pages[1].page);
          const [p, d] = round % 2 ? [b, a] : [a, b];
          t.plain.push(p);
          t.debug.push(d);
          t.ratio.push(d / p);
        }
        return t;
      };
      results.idle.push(await phase());
      run.command('instances');
      results.watched.push(await phase());
      run.command('instances');
      await first.page.close();
      await second.page.close();
    }
    console.log('Bunnymark at ' + N + ', mean frame time (one step + one drawing), medians of ' + ROUNDS + ' rounds, pages opened in both orders');
    for (const [label, sessions] of [['debug run', results.idle], ['debug run, instances watched', results.watched]]) {
      const ms = (key) => sessions.map((t) => median(t[key]).toFixed(2)).join(' / ');
      const ratio = Math.sqrt(median(sessions[0].ratio) * median(sessions[1].ratio));
      console.log('  ' + label.padEnd(30) + ' without the script ' + ms('plain') + ' ms, with it ' + ms('debug') + ' ms: ' +
        ((ratio - 1) * 100).toFixed(1) + '% added');
    }
  } finally {
    if (browser) await browser.close();
    if (run) run.stop();
    removeFolder(dir);
  }
}

main().catch((e) => { console.error(e); process.exit(1); });
