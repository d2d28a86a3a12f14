// The page's side of the game, run before the program starts: its command
// line from the address, its storage, a demo fetched from a link, the
// canvas that follows the page's size, sound at the first key or click, and
// the recorded session offered when the game ends.

// The game's aspect, and the smallest canvas that is still playable.
var GAME_WIDTH = 640, GAME_HEIGHT = 480, SMALLEST_WIDTH = 320;
// Where the game's home folder is kept: the browser's storage for this site.
var HOME_FOLDER = '/home/web_user';
var DEMO_FOLDER = '/demos';
var RECORDED_SESSION = DEMO_FOLDER + '/session.demo';

var address = new URLSearchParams(window.location.search);

// The largest canvas of the game's aspect that the page holds, in the
// page's pixels.
function canvasSizeForPage() {
  var width = Math.max(SMALLEST_WIDTH, Math.min(window.innerWidth, window.innerHeight * GAME_WIDTH / GAME_HEIGHT));
  width = Math.floor(width);
  return {width: width, height: Math.floor(width * GAME_HEIGHT / GAME_WIDTH)};
}

// A size given in the address holds still; otherwise the canvas follows the page.
var fixedSize = address.has('width') || address.has('height');

function commandLine() {
  var size = canvasSizeForPage();
  var line = ['--width', address.get('width') || String(size.width),
              '--height', address.get('height') || String(size.height)];
  var demo = address.get('playdemo') || address.get('timedemo');
  if (demo) line.push(address.has('playdemo') ? '--playdemo' : '--timedemo', DEMO_FOLDER + '/' + demoName(demo));
  else if (address.has('record')) line.push('--record', RECORDED_SESSION);
  return line;
}

// A demo keeps its file's name, so that a desync's state file is named after it.
function demoName(link) {
  var name = link.split('?')[0].split('/').pop();
  return /^[A-Za-z0-9._-]+$/.test(name) ? name : 'linked.demo';
}

Module['arguments'] = commandLine();
// The sounds and tunes are decoded from the game's files by Web Audio when
// the game loads them, not by the preloader: said so, Emscripten does not
// warn of each one on the console.
Module['noAudioDecoding'] = true;

Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function keepHomeInStorage() {
  ENV['HOME'] = HOME_FOLDER;
  FS.mount(IDBFS, {}, HOME_FOLDER);
  addRunDependency('storage');
  FS.syncfs(true, function(failure) {
    if (failure) console.log('ERROR: The browser\'s storage could not be read; the options and high scores start anew: ' + failure);
    removeRunDependency('storage');
  });
});

Module['preRun'].push(function fetchLinkedDemo() {
  FS.mkdir(DEMO_FOLDER);
  var link = address.get('playdemo') || address.get('timedemo');
  if (!link) return;
  addRunDependency('demo');
  fetch(link).then(function(response) {
    if (!response.ok) throw new Error('the server answered ' + response.status);
    return response.arrayBuffer();
  }).then(function(bytes) {
    FS.writeFile(DEMO_FOLDER + '/' + demoName(link), new Uint8Array(bytes));
  }).catch(function(failure) {
    // The game then refuses the missing file with its own ERROR line.
    console.log('ERROR: The demo ' + link + ' could not be fetched: ' + failure.message);
  }).finally(function() {
    removeRunDependency('demo');
  });
});

// Browsers start sound only after the player's first key or click.
function startSoundOnFirstGesture() {
  function start() {
    if (typeof SDL !== 'undefined' && SDL.audioContext && SDL.audioContext.state === 'suspended') SDL.audioContext.resume();
  }
  ['keydown', 'mousedown', 'touchstart'].forEach(function(name) { document.addEventListener(name, start, true); });
}
startSoundOnFirstGesture();

// A new page size reaches the game as a window resize, as on the desktop.
function followPageSize() {
  if (fixedSize) return;
  window.addEventListener('resize', function() {
    var size = canvasSizeForPage();
    if (typeof SDL === 'undefined' || !SDL.events) return;
    SDL.events.push({type: 'resize', w: size.width, h: size.height});
  });
}
followPageSize();

// A hidden tab runs no frames; the game hears of it when it runs again.
document.addEventListener('visibilitychange', function() {
  if (document.hidden) Module['pageWasHidden'] = true;
});

// When the game ends, the page says so, and offers a recorded session.
Module['gameEnded'] = function(status) {
  var ending = document.getElementById('ending');
  if (!ending) return;
  ending.hidden = false;
  if (!address.has('record')) return;
  try {
    var bytes = FS.readFile(RECORDED_SESSION);
    var link = document.getElementById('session');
    link.href = URL.createObjectURL(new Blob([bytes], {type: 'text/plain'}));
    link.hidden = false;
  } catch (failure) {
    console.log('ERROR: The recorded session could not be read: ' + failure);
  }
};
