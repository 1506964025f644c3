// Plays the built site in headless Chromium, as a player meets it.
//   node play.mjs GROUP SITE BOARD_REFERENCE LAYOUT_PIXELS
// Screenshots go to $ZARNIK_WEB_SHOTS too, when it names a folder.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { launch, open, serve } from './browser.mjs';

const [group, site, boardReference, layoutPixels] = process.argv.slice(2);
const tool = (path, ...args) => execFileSync(path, args.map(String), { encoding: 'utf8' }).trim();
const reference = presses => tool(boardReference, ...presses);  // o start, x turned
const kReset = 25;  // the new-game button, after the cells
// The layout and the texts a player meets, from the program's own headers;
// where the arrows go, from the board reference.
const rects = [], client = {}, facts = { names: [] };  // rects: [left, top, width, height] by control
for (const line of tool(layoutPixels, 96).split('\n')) {
  const [key, ...words] = line.split(' '), n = words.map(Number), text = words.join(' ');
  if (key === 'Command1') rects[n[0]] = n.slice(1);
  else if (key === 'Command2') rects[kReset] = n;
  else if (key === 'Client') [client.width, client.height] = n;
  else if (key === 'Name') facts.names[n[0]] = words.slice(1).join(' ');
  else facts[{ Caption: 'title', Prompt: 'prompt', Start: 'start', Turned: 'turned' }[key]] = text;
}
facts.arrows = tool(boardReference, '--arrows').split('\n').map(line => line.split(' ').map(Number));

// The board as the page shows it to screen readers, cell 0 first.
const shown = page => page.$$eval('#window button', (buttons, cells, start, turned) => buttons.slice(0, cells)
  .map(b => ({ [start]: 'o', [turned]: 'x' })[b.getAttribute('aria-description')] ?? '?').join(''),
kReset, facts.start, facts.turned);
const focused = page => page.evaluate(() => document.activeElement?.getAttribute('aria-label'));
const focus = (page, control) => page.$$eval('#window button', (b, c) => b[c].focus(), control);
const dialogOpen = page => page.$eval('dialog', d => d.open);
async function origin(page) {
  const r = await page.$eval('#window', e => e.getBoundingClientRect().toJSON());
  return [r.left, r.top];
}
// A real mouse click in the middle of a control, where the layout puts it.
async function click(page, control) {
  const [x, y] = await origin(page), [left, top, width, height] = rects[control];
  await page.mouse.click(x + left + width / 2, y + top + height / 2);
}

const groups = {
  async Layout(page) {
    assert.equal(await page.evaluate(() => document.documentElement.lang), 'ja');
    assert.equal(await page.title(), facts.title);
    const window = await page.$eval('#window', e => e.getBoundingClientRect().toJSON());
    assert.deepEqual([window.width, window.height], [client.width, client.height]);
    const { width, height } = page.viewport();
    assert.ok(Math.abs(window.left + window.width / 2 - width / 2) <= 0.5 &&
      Math.abs(window.top + window.height / 2 - height / 2) <= 0.5, `not centred: ${JSON.stringify(window)}`);
    const placed = await page.$$eval('#window button', (buttons, [x, y]) => buttons.map(b => {
      const r = b.getBoundingClientRect();
      return [r.left - x, r.top - y, r.width, r.height];
    }), [window.left, window.top]);
    assert.deepEqual(placed, rects);
  },

  async Pictures(page) {
    const presses = [3, 6, 12, 13, 18, 21];  // the game of the README's screenshots, the focus left on 21
    for (const k of presses) await click(page, k);
    const board = reference(presses);
    assert.equal(await shown(page), board);
    const shots = [];
    for (const deviceScaleFactor of [1, 2]) {
      // An odd viewport: centring must not put the window between pixels.
      await page.setViewport({ width: 801, height: 601, deviceScaleFactor });
      const [x, y] = await origin(page);
      shots.push(await page.screenshot({ clip: { x, y, ...client }, encoding: 'base64' }));
      if (process.env.ZARNIK_WEB_SHOTS)
        writeFileSync(join(process.env.ZARNIK_WEB_SHOTS, `web-screenshot${deviceScaleFactor > 1 ? '-2x' : ''}.png`), shots.at(-1), 'base64');
    }
    const faults = await page.evaluate(comparePictures, shots, rects, board, presses.at(-1), kReset);
    assert.deepEqual(faults, []);
  },

  async Keyboard(page) {
    assert.equal(await focused(page), facts.names[0]);
    for (let k = 1; k <= kReset; ++k) {
      await page.keyboard.press('Tab');
      assert.equal(await focused(page), facts.names[k], `Tab ${k}`);
    }
    const presses = [];
    const expect = async (what, control) => {
      presses.push(control);
      assert.equal(await shown(page), reference(presses), what);
    };
    await focus(page, 0);
    await page.keyboard.press('Space');
    await expect('Space', 0);
    await focus(page, 7);
    await page.keyboard.press('Enter');
    await expect('Enter', 7);
    for (const [key, control] of [['Space', 12], ['Enter', 24]]) {
      await focus(page, control);
      await page.keyboard.down(key);
      await page.keyboard.down(key);  // the key repeating while held
      await page.keyboard.up(key);
      await expect(`held ${key}`, control);
    }
    await focus(page, kReset);
    await page.keyboard.press('Enter');
    assert.equal(await shown(page), reference([]), 'Enter on the new-game button');
    const arrows = ['ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown'];
    for (let control = 0; control <= kReset; ++control) {
      for (const [i, key] of arrows.entries()) {
        await focus(page, control);
        await page.keyboard.press(key);
        assert.equal(await focused(page), facts.names[facts.arrows[control][i]], `${key} from ${control}`);
      }
    }
    assert.equal(await shown(page), reference([]), 'arrows press nothing');
  },

  async Cells(page) {
    const presses = [];
    for (let k = 0; k < kReset; ++k) {
      await click(page, k);
      presses.push(k);
      assert.equal(await shown(page), reference(presses), `click on cell ${k}`);
    }
    await click(page, kReset);
    assert.equal(await shown(page), reference([]), 'new game');
  },

  async Clear(page) {
    const presses = reference(['--solve']).split(' ').map(Number), last = presses.at(-1);
    for (const k of presses.slice(0, -1)) await click(page, k);
    assert.equal(await dialogOpen(page), false, 'open before the board is cleared');
    await focus(page, last);
    await page.keyboard.down('Enter');  // the last move, by a held Enter
    await page.keyboard.down('Enter');  // whose repeat must not close the message
    await page.keyboard.up('Enter');
    const cleared = reference(presses);
    const closers = {
      async Enter() { await page.keyboard.press('Enter'); },
      async Escape() { await page.keyboard.press('Escape'); },
      async OK() { await page.click('dialog button'); },
    };
    for (const [how, close] of Object.entries(closers)) {
      assert.equal(await dialogOpen(page), true, how);
      assert.deepEqual(await page.$eval('dialog', d => [d.querySelector('h1').textContent, d.querySelector('p').textContent]),
        [facts.title, facts.prompt]);
      await click(page, 0);  // the board takes no input meanwhile
      assert.equal(await shown(page), cleared);
      await close();
      assert.equal(await dialogOpen(page), false, `${how} closes the message`);
      assert.equal(await focused(page), facts.names[last], `focus after ${how}`);
      await click(page, last);  // still playable: undo the last move, then clear again
      assert.equal(await shown(page), reference([...presses, last]));
      await click(page, last);
    }
    await page.keyboard.press('Escape');
    await click(page, kReset);
    assert.equal(await shown(page), reference([]), 'new game after a clear');
  },

  async Accessibility(page) {
    const nodes = async () => (await page.accessibility.snapshot()).children;
    // The cells are toggle buttons, pressed while turned; the new-game button is a plain one.
    const buttons = async () => (await nodes()).filter(n => n.role === 'button');
    assert.deepEqual((await buttons()).map(n => n.name), facts.names);
    assert.deepEqual((await buttons()).map(n => [n.description ?? '', n.pressed ?? '']),
      [...Array(kReset).fill([facts.start, false]), ['', '']]);
    await click(page, 12);
    const states = (await buttons()).slice(0, kReset).map(n => [n.description, n.pressed]);
    assert.deepEqual(states, [...reference([12])].map(c => (c === 'o' ? [facts.start, false] : [facts.turned, true])));
    for (const k of reference(['--solve', 12]).split(' ')) await click(page, Number(k));
    const dialog = (await nodes()).find(n => n.role === 'dialog');
    assert.deepEqual([dialog?.name, dialog?.description], [facts.title, facts.prompt]);
    assert.ok(dialog.modal);
  },

  async Offline(page, { server, url }) {
    const client = await page.createCDPSession();
    assert.equal(JSON.parse((await client.send('Page.getAppManifest')).data).name, facts.title);
    await page.evaluate(() => navigator.serviceWorker.ready);
    assert.deepEqual((await client.send('Page.getInstallabilityErrors')).installabilityErrors, []);
    server.closeAllConnections();
    await new Promise(resolve => server.close(resolve));
    const offline = await open(page.browser(), `${url}/`);
    await click(offline, 12);
    assert.equal(await shown(offline), reference([12]), 'a move with no network');
    assert.deepEqual(await page.browser().cookies(), []);
    assert.deepEqual(await offline.evaluate(async () => [localStorage.length, sessionStorage.length,
      (await indexedDB.databases()).length]), [0, 0, 0]);
  },
};

// A site that fails to load shows a plain message, not a blank page.
async function fatal(browser) {
  for (const missing of ['zarnik.wasm', 'TileStart.bmp']) {
    const { server, url } = await serve({ '/': site }, [missing]);
    const page = await browser.newPage();
    await page.goto(`${url}/`);
    const alert = await page.waitForSelector('[role=alert]', { visible: true, timeout: 10000 });
    const text = await alert.evaluate(e => e.textContent);
    assert.ok(text.startsWith(facts.title) && text.includes(missing), `missing ${missing}: "${text}"`);
    server.close();
  }
}

// Runs in the page: compares the screenshots (PNG, base64) at device pixel
// ratios 1 and 2 with the committed pictures where the layout puts them.
// Returns the faults found, at most a few of each kind.
async function comparePictures(shots, rects, board, focusedCell, resetButton) {
  const decode = async url => {
    const bitmap = await createImageBitmap(await (await fetch(url)).blob(), { colorSpaceConversion: 'none' });
    const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
    const context = canvas.getContext('2d');
    context.drawImage(bitmap, 0, 0);
    const { data, width, height } = context.getImageData(0, 0, bitmap.width, bitmap.height);
    return { width, height, at: (x, y) => data.slice(4 * (y * width + x), 4 * (y * width + x) + 3).join() };
  };
  const [one, two] = await Promise.all(shots.map(s => decode(`data:image/png;base64,${s}`)));
  const [backdrop, start, turned, reset] = await Promise.all(
    ['BackdropImage.bmp', 'TileStart.bmp', 'TileTurned.bmp', 'ResetFaceImage.bmp'].map(decode));
  const faults = [], fault = what => faults.length < 8 && faults.push(what);
  // What each pixel of the window should be: [picture, x, y], 'black', or null
  // for a button frame, which is the front end's own look.
  const expected = (x, y) => {
    for (let c = rects.length - 1; c >= 0; --c) {  // later buttons lie on top
      const [left, top, width, height] = rects[c], bx = x - left, by = y - top;
      if (bx < 0 || by < 0 || bx >= width || by >= height) continue;
      const inset = Math.min(bx, by, width - 1 - bx, height - 1 - by);
      if (c === focusedCell && (inset === 3 || inset === 4)) return 'black';
      if (inset < 2) return null;
      const picture = c === resetButton ? reset : board[c] === 'o' ? start : turned;
      return [picture, bx - Math.floor((width - picture.width) / 2), by - Math.floor((height - picture.height) / 2)];
    }
    return [backdrop, x, y];
  };
  for (let y = 0; y < one.height; ++y) {
    for (let x = 0; x < one.width; ++x) {
      const want = expected(x, y), seen = one.at(x, y);
      if (want === 'black' ? seen !== '0,0,0' : want && seen !== want[0].at(want[1], want[2]))
        fault(`(${x}, ${y}) shows ${seen}, expected ${want === 'black' ? want : want[0].at(want[1], want[2])}`);
      for (const [dx, dy] of [[0, 0], [1, 0], [0, 1], [1, 1]])
        if (two.at(2 * x + dx, 2 * y + dy) !== seen) fault(`at ratio 2, (${2 * x + dx}, ${2 * y + dy}) is not (${x}, ${y}) scaled`);
    }
  }
  return faults;
}

const { browser, close } = await launch();
const served = await serve({ '/': site });
try {
  if (group === 'Fatal') {
    await fatal(browser);
  } else {
    const page = await open(browser, `${served.url}/`);
    await groups[group](page, served);
    assert.deepEqual(page.errors, [], 'errors in the page');
  }
} finally {
  served.server.close();
  await close();
}
