// The page's half of the browser front end. The module (zarnik.wasm, from
// WebWindow and the shared event handlers) decides everything the window
// shows; this file carries its calls out on the page (the imports, see
// Page.h) and delivers the player's clicks and keys back to it.
const windowArea = document.getElementById('window');
const dialog = document.getElementById('message');
const buttons = [];  // by control number: { element, width, height }
const pictures = new Map();  // URL -> image, loaded once
const loads = [];
let module;  // the instance's exports
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
const decoder = new TextDecoder();
const text = (at, size) => decoder.decode(new Uint8Array(module.memory.buffer, at, size));

function load(url) {
  if (!pictures.has(url)) {
    const image = new Image();
    image.src = url;
    pictures.set(url, image);
    loads.push(new Promise((resolve, reject) => {
      image.onload = resolve;
      image.onerror = () => reject(new Error(`cannot load ${url}`));
    }));
  }
  return pictures.get(url);
}

// Centres the picture on the whole button, rounded down as on the desktop.
function place(button) {
  const image = pictures.get(button.element.dataset.picture);
  if (!image?.naturalWidth) return;  // placed when the window first shows
  const offset = (outer, inner) => `${Math.floor((outer - inner) / 2)}px`;
  button.element.style.setProperty('--x', offset(button.width, image.naturalWidth));
  button.element.style.setProperty('--y', offset(button.height, image.naturalHeight));
}

const page = {
  window(width, height, caption, captionSize, face, faceSize, backdrop, backdropSize, ringWidth, ringInset) {
    document.title = text(caption, captionSize);
    document.documentElement.style.setProperty('--ring-width', `${ringWidth}px`);
    document.documentElement.style.setProperty('--ring-offset', `${-ringInset - ringWidth}px`);
    document.body.style.fontFamily = `"${text(face, faceSize)}", sans-serif`;
    const url = text(backdrop, backdropSize);
    load(url);
    Object.assign(windowArea.style, { width: `${width}px`, height: `${height}px`, backgroundImage: `url("${url}")` });
  },
  bevel(highlight, light, shadow, darkShadow, bareFace) {
    const shades = { highlight, light, shadow, 'dark-shadow': darkShadow, 'bare-face': bareFace };
    for (const [name, rgb] of Object.entries(shades)) document.documentElement.style.setProperty(`--${name}`, colour(rgb));
  },
  button(control, left, top, width, height, name, nameSize) {
    const element = document.createElement('button');
    element.setAttribute('aria-label', text(name, nameSize));
    Object.assign(element.style, { left: `${left}px`, top: `${top}px`, width: `${width}px`, height: `${height}px` });
    element.addEventListener('click', () => run(() => module.click(control)));
    buttons[control] = { element, width, height };
    windowArea.append(element);
  },
  picture(control, url, urlSize, description, descriptionSize, pressed) {
    const button = buttons[control], source = text(url, urlSize), about = text(description, descriptionSize);
    if (button.element.dataset.picture !== source) {
      load(source);
      button.element.dataset.picture = source;
      button.element.style.backgroundImage = `url("${source}")`;
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
  message(prompt, promptSize, title, titleSize) {
    document.getElementById('message-title').textContent = text(title, titleSize);
    document.getElementById('message-text').textContent = text(prompt, promptSize);
    const from = document.activeElement;
    dialog.addEventListener('close', () => from?.focus(), { once: true });
    dialog.showModal();
  },
  fatal(what, whatSize) {
    fail(text(what, whatSize));
  },
};

windowArea.addEventListener('keydown', event => {
  const control = buttons.findIndex(button => button.element === event.target);
  if (control < 0 || event.altKey || event.ctrlKey || event.metaKey || event.shiftKey) return;
  if (event.key === 'Enter') {
    // The browser would click again on every repeat of a held key.
    event.preventDefault();
    if (!event.repeat) event.target.click();
    return;
  }
  const target = run(() => module.key(control, event.keyCode));
  if (target >= 0) {
    event.preventDefault();
    buttons[target].element.focus();
  }
});
// A held Enter that cleared the board would otherwise close the message at once.
dialog.addEventListener('keydown', event => {
  if (event.key === 'Enter' && event.repeat) event.preventDefault();
});
// A click beside the message, or on its text, leaves the focus on OK, so that
// Enter still closes it, as on the desktop.
dialog.addEventListener('mousedown', event => {
  if (event.target.localName !== 'button') event.preventDefault();
});

async function start() {
  const response = await fetch('zarnik.wasm');
  if (!response.ok) throw new Error(`zarnik.wasm: ${response.status} ${response.statusText}`);
  // Compiled at once: the module is small, and the page waits for it anyway.
  const instance = new WebAssembly.Instance(new WebAssembly.Module(await response.arrayBuffer()), { page });
  module = instance.exports;
  run(() => { module._initialize(); module.start(); });
  await Promise.all(loads);
  if (stopped) return;
  buttons.forEach(place);
  windowArea.hidden = false;
  focusOnShow?.focus();
  // Marked once the frame with every picture in it is painted.
  requestAnimationFrame(() => setTimeout(() => performance.mark('playable')));
  navigator.serviceWorker?.register('sw.js').catch(error => console.warn('no offline play:', error));
}

start().catch(fail);
