/* ---------------------------------------------------------------------
 * Alarms: twelve step counters per instance. Each step first counts down
 * every alarm that is set; one that reaches 0 goes off, and alarm_fired
 * says so until the next step begins.
 * ------------------------------------------------------------------- */

function __vr_alarms_of(o) {
  var a = o.__vr_alarm;
  if (a === null) {
    a = { left: [-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1],
          fired: [-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1], listed: false };
    o.__vr_alarm = a;
  }
  return a;
}

function __vr_alarm_number(n) {
  return (n >= 0 && n < 12) ? Math.floor(n) : -1;
}

function alarm_set(n, steps) {
  var o = __vr_me(this);
  n = __vr_alarm_number(n);
  if (!o || n < 0) return;
  var a = __vr_alarms_of(o);
  steps = Math.ceil(steps);
  a.left[n] = steps >= 1 ? steps : -1;
  if (a.left[n] > 0 && !a.listed && o.__vr_alive) {
    a.listed = true;
    __vr.alarmed.push(o);
  }
}

function alarm_get(n) {
  var o = __vr_me(this);
  n = __vr_alarm_number(n);
  if (!o || n < 0 || o.__vr_alarm === null) return -1;
  return o.__vr_alarm.left[n];
}

function alarm_fired(n) {
  var o = __vr_me(this);
  n = __vr_alarm_number(n);
  if (!o || n < 0 || o.__vr_alarm === null) return false;
  return o.__vr_alarm.fired[n] === __vr.steps;
}

function __vr_count_alarms() {
  var list = __vr.alarmed, j = 0, now = __vr.steps;
  for (var i = 0; i < list.length; i++) {
    var o = list[i], a = o.__vr_alarm, on = false;
    for (var n = 0; n < 12; n++) {
      if (a.left[n] > 0 && --a.left[n] === 0) { a.left[n] = -1; a.fired[n] = now; }
      if (a.left[n] > 0) on = true;
    }
    if (on && o.__vr_alive) list[j++] = o;
    else a.listed = false;
  }
  list.length = j;
}

