// A debug run end to end: vorlane-build --debug serves a small game to
// headless Chromium, and prints what the page reports, named by the user's
// object, event and line; its commands pause, step and reload the page.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { spawn } = require('child_process');
const { buildProject, removeFolder, vorlaneBuild } = require('./support/program.js');
const { projectOf } = require('./support/small_game.js');
const { launch } = require('./support/browser.js');

// Line 2 writes a debug message each step, line 3 fails once. The engine
// keeps obj_counter's handler as written (not_a_function is no name it
// knows) and rewrites obj_fast's into a function of its own.
const STEP = "count += 1;\ndebug_message('step ' + count);\nif (count == 3) not_a_function();";
const FAST = "hp += 1;\nif (hp == 3) { var q = null; q.foo(); }";
const GAME = {
  objects: [{ name: 'obj_counter', events: { Creation: 'count = 0;', Step: STEP } },
    { name: 'obj_fast', events: { Creation: 'hp = 0;', Step: FAST } }],
  scenes: [{ name: 'room1', instances: [['obj_counter', 10, 10], ['obj_fast', 20, 20]] }],
};

let dir, run, browser, page;
const lines = [];
let waiters = [];

// Resolves with the first line from `from` on that matches; the time-out only
// keeps a broken run from hanging the suite.
function waitLine(pattern, from) {
  return new Promise((resolve, reject) => {
    const check = () => {
      for (let i = from; i < lines.length; i++) if (pattern.test(lines[i])) { resolve({ line: lines[i], at: i }); return true; }
      return false;
    };
    if (check()) return;
    const guard = setTimeout(() => reject(new Error('no line matching ' + pattern + ' in:\n' + lines.join('\n'))), 20000);
    waiters.push(() => { if (check()) { clearTimeout(guard); return true; } return false; });
  });
}

function send(command) {
  const at = lines.length;
  run.stdin.write(command + '\n');
  return at;
}

test.before(async () => {
  dir = buildProject('t', projectOf(GAME)).dir;
  run = spawn(vorlaneBuild(), ['--debug', 't'], { cwd: dir, stdio: ['pipe', 'pipe', 'inherit'] });
  let rest = '';
  run.stdout.on('data', (chunk) => {
    const parts = (rest + chunk).split('\n');
    rest = parts.pop();
    lines.push(...parts);
    waiters = waiters.filter((w) => !w());
  });
  const address = (await waitLine(/^ADDRESS /, 0)).line.slice(8);
  browser = await launch();
  page = await browser.context.newPage();
  await page.goto(address);
});

test.after(async () => {
  if (browser) await browser.close();
  if (run) run.stdin.end();
  if (dir) removeFolder(dir);
});

test('errors and debug messages are named by object, event and line', async () => {
  for (const line of [/^Error\tobj_counter, Step event, line 3: .*not_a_function/,
    /^Error\tobj_fast, Step event, line 2: .*foo/, /^Debug\tobj_counter, Step event, line 2: step 1$/]) {
    await waitLine(line, 0);
  }
  assert.equal(lines.filter((l) => l.startsWith('Error\t')).length, 2);
});

test('pause stops the steps and step runs exactly one', async () => {
  const paused = await waitLine(/^PAUSED$/, send('pause'));
  // What the page sent before it paused comes before PAUSED.
  const before = lines.slice(0, paused.at).filter((l) => /: step \d+$/.test(l));
  const last = Number(before[before.length - 1].match(/step (\d+)$/)[1]);
  const stepped = await waitLine(/: step \d+$/, send('step'));
  assert.match(stepped.line, new RegExp(': step ' + (last + 1) + '$'));
  const again = await waitLine(/^PAUSED$/, send('pause'));
  assert.deepEqual(lines.slice(stepped.at + 1, again.at).filter((l) => /: step \d+$/.test(l)), []);
});

test('reload loads the page again', async () => {
  const from = send('resume');
  const loaded = page.waitForEvent('load');
  send('reload');
  await loaded;
  await waitLine(/^Debug\tobj_counter, Step event, line 2: step 1$/, from);
});
