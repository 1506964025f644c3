// The page's half of the browser front end. The module (zarnik.wasm, from
// WebWindow and the shared event handlers) decides everything the window
// shows; this file carries its calls out on the page (the imports, see
// Page.h) and delivers the player's clicks and keys back to it.
const windowArea = document.getElementById('window');
const dialog = document.getElementById('message');
const status = document.getElementById('status');
const buttons = [];  // by control number: { element, width, height, image }
const pictures = new Map();  // a picture's place in the module's memory -> its image, decoded once
const decodes = [];
const arrows = ['ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown'];  // as the module numbers them
let module;  // the instance's exports
let size;  // the window's, in its own pixels
let focusOnShow;
let stopped = false;

function fail(what) {
  if (stopped) return;
  stopped = true;
  console.error(what);
  const message = document.createElement('p');
  message.setAttribute('role', 'alert');
  message.textContent = `${document.title}: ${what}`;
  document.body.replaceChildren(message);
}

// Calls into the module; a trap after a fatal error, or any other failure,
// leaves the plain message in the page.
function run(call) {
  try {
    return stopped ? undefined : call();
  } catch (error) {
    fail(error);
  }
}

const colour = rgb => `#${rgb.toString(16).padStart(6, '0')}`;
const bytes = (at, length) => new Uint8Array(module.memory.buffer, at, length);
const decoder = new TextDecoder();
const text = (at, length) => decoder.decode(bytes(at, length));

// A PNG file in the module's memory as an image of the page, made once.
function picture(at, length) {
  if (!pictures.has(at)) {
    const image = new Image();
    image.src = URL.createObjectURL(new Blob([bytes(at, length)], { type: 'image/png' }));
    pictures.set(at, image);
    decodes.push(image.decode());
  }
  return pictures.get(at);
}

// Centres the picture on the whole button, rounded down as on the desktop.
function place(button) {
  const image = button.image;
  if (!image?.naturalWidth) return;  // placed when the window first shows
  const offset = (outer, inner) => `${Math.floor((outer - inner) / 2)}px`;
  button.element.style.setProperty('--x', offset(button.width, image.naturalWidth));
  button.element.style.setProperty('--y', offset(button.height, image.naturalHeight));
}

// Every pixel of the window as a square of whole device pixels, as many as
// the device pixel ratio rounded, as the desktop programs scale, or fewer,
// down to one, where the whole window would not fit the viewport; less than
// one only where even one cannot fit. The window sits on whole device
// pixels, centred where it fits.
function fit() {
  const ratio = devicePixelRatio, { clientWidth, clientHeight } = document.documentElement;
  const most = Math.min(clientWidth * ratio / size.width, clientHeight * ratio / size.height);
  const scale = most < 1 ? most : Math.min(Math.max(1, Math.round(ratio)), Math.floor(most));
  const at = (room, length) => Math.max(0, Math.floor((room * ratio - length * scale) / 2)) / ratio;
  // A transform, not layout: layout would round the place to 1/64 pixel.
  windowArea.style.transform = `translate(${at(clientWidth, size.width)}px, ${at(clientHeight, size.height)}px) scale(${scale / ratio})`;
  windowArea.classList.toggle('shrunk', scale < 1);
  matchMedia(`(resolution: ${ratio}dppx)`).addEventListener('change', fit, { once: true });
}

const page = {
  window(width, height, caption, captionLength, face, faceLength, backdrop, backdropLength, ringWidth, ringInset) {
    document.title = text(caption, captionLength);
    document.documentElement.style.setProperty('--ring-width', `${ringWidth}px`);
    document.documentElement.style.setProperty('--ring-offset', `${-ringInset - ringWidth}px`);
    // The message's text alone: asked of the whole page, the face would be
    // looked for before the first paint, at a cost.
    dialog.style.fontFamily = `"${text(face, faceLength)}", sans-serif`;
    size = { width, height };
    Object.assign(windowArea.style, { width: `${width}px`, height: `${height}px`,
      backgroundImage: `url("${picture(backdrop, backdropLength).src}")` });
  },
  bevel(highlight, light, shadow, darkShadow, bareFace) {
    const shades = { highlight, light, shadow, 'dark-shadow': darkShadow, 'bare-face': bareFace };
    for (const [name, rgb] of Object.entries(shades)) document.documentElement.style.setProperty(`--${name}`, colour(rgb));
  },
  button(control, left, top, width, height, name, nameLength) {
    const element = document.createElement('button');
    element.setAttribute('aria-label', text(name, nameLength));
    Object.assign(element.style, { left: `${left}px`, top: `${top}px`, width: `${width}px`, height: `${height}px` });
    element.addEventListener('click', () => run(() => module.click(control)));
    buttons[control] = { element, width, height };
    windowArea.append(element);
  },
  picture(control, at, length, description, descriptionLength, pressed) {
    const button = buttons[control], image = picture(at, length), about = text(description, descriptionLength);
    if (button.image !== image) {
      button.image = image;
      button.element.style.backgroundImage = `url("${image.src}")`;
      place(button);
    }
    if (about) button.element.setAttribute('aria-description', about);
    if (pressed >= 0) button.element.setAttribute('aria-pressed', pressed ? 'true' : 'false');
  },
  face(control, rgb) {
    buttons[control].element.style.backgroundColor = colour(rgb);
  },
  focus(control) {
    if (windowArea.hidden) focusOnShow = buttons[control].element;
    else buttons[control].element.focus();
  },
  announce(phrase, phraseLength) {
    status.textContent = text(phrase, phraseLength);
  },
  message(prompt, promptLength, title, titleLength) {
    document.getElementById('message-title').textContent = text(title, titleLength);
    document.getElementById('message-text').textContent = text(prompt, promptLength);
    dialog.showModal();  // closing it gives the focus back to where it was
  },
  fatal(what, whatLength) {
    fail(text(what, whatLength));
  },
};

windowArea.addEventListener('keydown', event => {
  const control = buttons.findIndex(button => button.element === event.target);
  if (control < 0 || event.altKey || event.ctrlKey || event.metaKey || event.shiftKey) return;
  if (event.key === ' ') event.target.classList.add('held');
  if (event.key === 'Enter') {
    // The browser would click again on every repeat of a held key.
    event.preventDefault();
    if (!event.repeat) event.target.click();
    return;
  }
  const target = arrows.includes(event.key) ? run(() => module.arrow(control, arrows.indexOf(event.key))) : -1;
  if (target >= 0) {
    event.preventDefault();
    buttons[target].element.focus();
  }
});
// The sunken face while the primary mouse button, a finger or Space holds a
// button down; not :active, which Chromium and WebKit give any mouse button,
// and browsers give a held finger late or not at all. A long press brings up
// no menu.
windowArea.addEventListener('pointerdown', event => event.button === 0 && event.target.classList.add('held'));
for (const type of ['pointerup', 'pointercancel', 'pointerleave', 'keyup', 'focusout'])
  windowArea.addEventListener(type, event => (event.key ?? ' ') === ' ' && event.target.classList.remove('held'), true);
windowArea.addEventListener('contextmenu', event => event.preventDefault());
// A held Enter that cleared the board would otherwise close the message at once.
dialog.addEventListener('keydown', event => {
  if (event.key === 'Enter' && event.repeat) event.preventDefault();
});
// A click beside the message, or on its text, leaves the focus on OK, so that
// Enter still closes it, as on the desktop.
dialog.addEventListener('mousedown', event => {
  if (event.target.localName !== 'button') event.preventDefault();
});

async function instantiate() {
  const response = await fetch('zarnik.wasm');
  if (!response.ok) throw new Error(`zarnik.wasm: ${response.status} ${response.statusText}`);
  // Compiled as it arrives where the server says what it is; a server that
  // does not gets the whole file compiled at once.
  if (response.headers.get('Content-Type') === 'application/wasm')
    return (await WebAssembly.instantiateStreaming(response, { page })).instance;
  return (await WebAssembly.instantiate(await response.arrayBuffer(), { page })).instance;
}

async function start() {
  module = (await instantiate()).exports;
  run(() => { module._initialize(); module.start(); });
  await Promise.all(decodes);
  if (stopped) return;
  buttons.forEach(place);
  fit();
  addEventListener('resize', fit);
  windowArea.hidden = false;
  focusOnShow?.focus();
  // Marked once the frame with every picture in it is painted.
  requestAnimationFrame(() => setTimeout(() => performance.mark('playable')));
  navigator.serviceWorker?.register('sw.js').catch(error => console.warn('no offline play:', error));
}

start().catch(fail);
