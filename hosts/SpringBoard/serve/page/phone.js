// The live phone's page: shows the latest picture of the screen when the server says one is
// ready, sends the finger (pointer events) and the side buttons, and shows the device's state.
'use strict';

const token = new URLSearchParams(location.search).get('token') || '';
const withToken = (path) => path + (path.includes('?') ? '&' : '?') + 'token=' + encodeURIComponent(token);
const SCREEN_WIDTH = 375, SCREEN_HEIGHT = 667;
const screen = document.getElementById('screen');

// Input-to-picture times (ms), measured from the pointer event to the load of the next
// picture; read by the benchmarks.
window.morvaneLatencies = [];
window.morvaneFramesShown = 0;
window.morvaneState = null;
// The number of the frame (the events' id) whose picture and state the page shows.
window.morvaneFrameShown = 0;
// When each picture was shown and what brightness each state said (ms of the page's clock),
// the last thousand of each.
window.morvaneFrameTimes = [];
window.morvaneBrightnessLog = [];
const remember = (list, entry) => { list.push(entry); if (list.length > 1000) list.shift(); };
let inputAt = null;

// --- pictures: each new one comes with the events, ahead of its state, as a data URL; the
// screen shows the newest (setting a newer one abandons an older one still loading). The
// picture is the phone's own screenshot: the page darkens it by the brightness as the eye sees
// the glass (the light falls in a straight line from full to a fifth at brightness 0), so a
// glide is seen to glide without new pictures. ---
// While a new picture loads, the state that came with it waits (its brightness aside), so
// that the page's own work does not delay the picture.
let pictureLoading = false, waitingState = null;
function showPicture(url) {
  pictureLoading = true;
  screen.src = url;
}
function pictureSettled() {
  pictureLoading = false;
  if (waitingState) { const [state, frame] = waitingState; waitingState = null; showState(state, frame); }
}
screen.addEventListener('load', () => {
  window.morvaneFramesShown++;
  remember(window.morvaneFrameTimes, performance.now());
  if (inputAt !== null) { window.morvaneLatencies.push(performance.now() - inputAt); inputAt = null; }
  pictureSettled();
});
screen.addEventListener('error', pictureSettled);
const LIGHT_AT_ZERO = 0.2;
function showBrightness(level) {
  const light = LIGHT_AT_ZERO + (1 - LIGHT_AT_ZERO) * Math.min(1, Math.max(0, level));
  screen.style.filter = 'brightness(' + light.toFixed(4) + ')';
}

// --- the state beside the phone ---
const percent = (level) => Math.round(level * 100) + ' %';
// The lists and the table beside the phone are built again only when what they show changed.
const shownParts = {};
function changed(part, value) {
  const text = JSON.stringify(value);
  if (shownParts[part] === text) return false;
  shownParts[part] = text;
  return true;
}
function showState(state, frame) {
  window.morvaneState = state;
  if (frame) window.morvaneFrameShown = frame;
  remember(window.morvaneBrightnessLog, [performance.now(), state.brightness]);
  showBrightness(state.brightness);
  for (const name of ['volume', 'brightness']) {
    document.getElementById(name + '-level').value = state[name];
    document.getElementById(name + '-value').textContent = percent(state[name]);
  }
  document.getElementById('front').textContent = state.front || 'home screen';
  document.getElementById('hud').textContent = 'volume ' + state.hud.volume + ', brightness ' + state.hud.brightness;
  if (changed('switches', state.switches)) {
    document.getElementById('switches').replaceChildren(...Object.entries(state.switches).map(([name, value]) => {
      const item = document.createElement('li');
      item.className = value;
      item.textContent = name + ': ' + value;
      return item;
    }));
  }
  if (changed('timeline', state.timeline || [])) {
    const timeline = document.getElementById('timeline');
    timeline.replaceChildren(...(state.timeline || []).map((line) => {
      const item = document.createElement('li');
      item.textContent = line;
      return item;
    }));
    timeline.scrollTop = timeline.scrollHeight;
  }
  if (changed('values', state.values || {})) showValues(state.values || {});
  refreshPlot();
}

function showValues(values) {
  const rows = Object.entries(values).map(([app, entry]) => {
    const row = document.createElement('tr');
    const toggles = Object.entries(entry.toggles || {}).map(([name, on]) => name + (on ? ' on' : ' off')).join(', ');
    for (const text of [app, entry.volume == null ? '—' : percent(entry.volume),
                        entry.brightness == null ? '—' : percent(entry.brightness), toggles || '—']) {
      const cell = document.createElement('td');
      cell.textContent = text;
      row.appendChild(cell);
    }
    return row;
  });
  document.querySelector('#values tbody').replaceChildren(...rows);
}

// The plot is drawn by the phone's renderer; fetched at most once a second.
let plotTimer = null;
function refreshPlot() {
  if (plotTimer) return;
  plotTimer = setTimeout(() => {
    plotTimer = null;
    document.getElementById('plot').src = withToken('/api/plot.jpg?at=' + Date.now());
  }, 1000);
}

// --- the push channel ---
function listen() {
  const events = new EventSource(withToken('/api/events'));
  const connection = document.getElementById('connection');
  events.addEventListener('picture', (event) => showPicture(event.data));
  events.addEventListener('frame', (event) => {
    connection.textContent = 'live';
    connection.classList.remove('lost');
    const state = JSON.parse(event.data), frame = Number(event.lastEventId);
    if (!pictureLoading) return showState(state, frame);
    showBrightness(state.brightness);
    waitingState = [state, frame];
  });
  events.onerror = () => {
    connection.textContent = 'connection lost; retrying…';
    connection.classList.add('lost');
  };
}

// --- input: sent in order; moves coalesce while one is on its way ---
let sending = Promise.resolve();
let queuedMove = null;
// What the phone could not do is shown until an input succeeds, never passed over.
const problem = document.getElementById('problem');
function tell(answer) {
  if (answer.ok) { problem.hidden = true; return; }
  return answer.json().catch(() => ({})).then((reply) => {
    problem.textContent = 'The phone could not do that: ' + (reply.error || answer.status);
    problem.hidden = false;
  });
}
function failed() {
  problem.textContent = 'The phone did not answer.';
  problem.hidden = false;
}
function post(path, body) {
  sending = sending.then(() => fetch(withToken(path), {
    method: 'POST', headers: {'Content-Type': 'application/json'}, body: JSON.stringify(body || {}),
  })).then(tell, failed).catch(() => {});
  return sending;
}
function pointAt(event) {
  const box = screen.getBoundingClientRect();
  return {x: (event.clientX - box.left) * SCREEN_WIDTH / box.width,
          y: (event.clientY - box.top) * SCREEN_HEIGHT / box.height};
}
function sendPointer(type, event) {
  inputAt = performance.now();
  const point = pointAt(event);
  if (type === 'move') {
    if (queuedMove) { queuedMove.x = point.x; queuedMove.y = point.y; return; }
    queuedMove = {type, ...point};
    sending = sending.then(() => {
      const move = queuedMove;
      queuedMove = null;
      return fetch(withToken('/api/pointer'), {method: 'POST', headers: {'Content-Type': 'application/json'},
                                              body: JSON.stringify(move)});
    }).then(tell, failed).catch(() => {});
    return;
  }
  post('/api/pointer', {type, ...point});
}
// One finger: the primary pointer (for a mouse, its main button) drives it from down to up;
// a second touch or another mouse button is not the finger.
let fingerId = null;
const isFinger = (event) => event.pointerId === fingerId;
function lift(type, event) {
  if (!isFinger(event)) return;
  fingerId = null;
  sendPointer(type, event);
}
screen.addEventListener('pointerdown', (event) => {
  event.preventDefault();
  if (fingerId !== null || !event.isPrimary || (event.pointerType === 'mouse' && event.button !== 0)) return;
  screen.setPointerCapture(event.pointerId);
  fingerId = event.pointerId;
  sendPointer('down', event);
});
screen.addEventListener('pointermove', (event) => { if (isFinger(event)) sendPointer('move', event); });
screen.addEventListener('pointerup', (event) => lift('up', event));
screen.addEventListener('pointercancel', (event) => lift('cancel', event));
// The capture taken away before the finger lifted (the element hidden, another window).
screen.addEventListener('lostpointercapture', (event) => lift('cancel', event));
screen.addEventListener('contextmenu', (event) => event.preventDefault());

for (const name of ['home', 'volume-up', 'volume-down', 'respring']) {
  document.getElementById(name).addEventListener('click', () => {
    inputAt = performance.now();
    post('/api/button/' + name);
  });
}

fetch(withToken('/api/state')).then((answer) => answer.json()).then(showState).catch(() => {});
listen();
