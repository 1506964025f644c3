// Plays the built site in one engine (webkit on the X display DISPLAY), each
// group of checks on a fresh page, saying why it skips what the engine cannot do:
//   node play.mjs ENGINE SITE IMAGES BOARD_REFERENCE LAYOUT_PIXELS
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { launch, serve } from '../support/browsers.mjs';

const [engine, site, images, boardReference, layoutPixels] = process.argv.slice(2);
const tool = (path, ...args) => execFileSync(path, args.map(String), { encoding: 'utf8' }).trim();
const reference = presses => tool(boardReference, ...presses);  // o start, x turned
// The layout and texts from the program's headers, the arrows from the reference.
const rects = [], client = {}, facts = { names: [], pictures: {} };  // rects: [left, top, width, height] by control
let command2;
for (const line of tool(layoutPixels, 96).split('\n')) {
  const [key, ...words] = line.split(' '), n = words.map(Number), text = line.slice(key.length + 1);
  if (key === 'Command1') rects[n[0]] = n.slice(1);
  else if (key === 'Command2') command2 = n;
  else if (key === 'Client') [client.width, client.height] = n;
  else if (key === 'Name') facts.names[n[0]] = words.slice(1).join(' ');
  else if (key === 'Picture') facts.pictures[words[0]] = words[1];
  else facts[key] = text;
}
const kReset = rects.push(command2) - 1;  // the new-game button, after the cells
facts.arrows = tool(boardReference, '--arrows').split('\n').map(line => line.split(' ').map(Number));
const news = (presses, side) => `${side ? facts[side] : facts.NewGameNews}${facts.RemainingNews}${[...reference(presses)].filter(c => c === 'o').length}`;

// The board as screen readers get it, from each cell's description.
const shown = () => [...document.querySelectorAll('#window button')].slice(0, -1).map(b => b.getAttribute('aria-description'));
const board = async page => (await page.evaluate(shown)).map(d => ({ [facts.Start]: 'o', [facts.Turned]: 'x' })[d] ?? '?').join('');
const focused = page => page.evaluate(() => document.activeElement?.getAttribute('aria-label'));
const focus = (page, control) => page.evaluate(c => document.querySelectorAll('#window button')[c].focus(), control);
const heard = page => page.evaluate(() => document.getElementById('status').textContent);
const dialogOpen = page => page.evaluate(() => document.querySelector('dialog').open);
const at = async (page, control) => {
  const [x, y, width] = await page.evaluate(() => (({ left, top, width }) => [left, top, width])(document.getElementById('window').getBoundingClientRect()));
  const [left, top, w, h] = rects[control], scale = width / client.width;
  return [x + (left + w / 2) * scale, y + (top + h / 2) * scale];
};
const click = async (page, control) => page.click(...await at(page, control));
const painted = page => page.evaluate(() => new Promise(done => requestAnimationFrame(() => requestAnimationFrame(done))));  // after a resize too
const skip = (what, why) => console.log(`${engine}: ${what} skipped: ${why}`);
const can = name => !browser.can[name] || (skip(name, browser.can[name]), false);

const groups = {
  // The window centred, in Japanese, titled; at each ratio the engine can give,
  // each picture pixel a square of whole device pixels (the ratio rounded, fewer
  // where the window would not fit), on whole device pixels where the layout puts it.
  async Pictures(first, open) {
    assert.deepEqual(await first.evaluate(() => [document.documentElement.lang, document.title]), ['ja', facts.Caption]);
    const { left, top } = await first.evaluate(() => document.getElementById('window').getBoundingClientRect().toJSON());
    assert.ok(Math.abs(left + client.width / 2 - 400) <= 1 && Math.abs(top + client.height / 2 - 300) <= 1, `not centred: ${left}, ${top}`);
    const presses = [3, 6, 12, 13, 18, 21];  // the game of the README's screenshots, the focus left on 21
    for (const [ratio, scale, width = 801, height = 601] of [[1, 1], [1.25, 1], [1.5, 2], [2, 2], [3, 3], [3, 2, 844, 340]]) {
      if (browser.can.ratios && !browser.can.ratios.includes(ratio)) { skip(`ratio ${ratio}`, 'GDK_SCALE takes whole numbers'); continue; }
      const page = await open({ width, height, ratio });  // odd: the window must still sit on whole pixels
      for (const k of presses) await click(page, k);
      assert.equal(await board(page), reference(presses));
      await painted(page);
      assert.deepEqual(await page.evaluate(comparePictures, await page.shot(), ratio, scale, rects, client, reference(presses),
        presses.at(-1), kReset, facts.pictures), [], `${width} x ${height} at ratio ${ratio}`);
      await page.close();
    }
  },

  async Keyboard(page) {
    assert.equal(await focused(page), facts.names[0]);
    for (let k = 1; k <= kReset; ++k) {
      await page.key('press', 'Tab');
      assert.equal(await focused(page), facts.names[k], `Tab ${k}`);
    }
    const presses = [], repeats = can('repeat');
    for (const [key, control, held] of [['Space', 0], ['Enter', 7], ['Space', 12, repeats], ['Enter', 24, repeats]]) {
      await focus(page, control);
      await page.key('down', key);
      if (held) await page.key('down', key);  // the key repeating while held
      await page.key('up', key);
      presses.push(control);
      assert.equal(await board(page), reference(presses), `${held ? 'held ' : ''}${key}`);
    }
    await focus(page, kReset);
    await page.key('press', 'Enter');
    assert.equal(await board(page), reference([]), 'Enter on the new-game button');
    for (let control = 0; control <= kReset; ++control) {
      for (const [i, key] of ['ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown'].entries()) {
        await focus(page, control);
        await page.key('press', key);
        assert.equal(await focused(page), facts.names[facts.arrows[control][i]], `${key} from ${control}`);
      }
    }
    assert.equal(await board(page), reference([]), 'arrows press nothing');
    await focus(page, 0);
    await page.key('down', 'Shift');  // Shift with an arrow is the browser's own
    await page.key('press', 'ArrowRight');
    await page.key('up', 'Shift');
    assert.equal(await focused(page), facts.names[0], 'Shift+ArrowRight');
  },

  // Every cell by mouse, each heard as what it did; then the tree screen readers
  // get: the cells toggle buttons in the main landmark, pressed while turned,
  // described by their side, the live region in the tree where the engine shows it.
  async Cells(page) {
    const presses = [];
    for (let k = 0; k < kReset; ++k) {
      await click(page, k);
      presses.push(k);
      assert.equal(await board(page), reference(presses), `click on cell ${k}`);
      assert.equal(await heard(page), news(presses, reference(presses)[k] === 'x' ? 'TurnedNews' : 'StartNews'));
    }
    const turned = [...reference(presses)].map(c => c === 'x');
    assert.deepEqual(await page.evaluate(() => [...document.querySelectorAll('#window button')].map(b => [b.getAttribute('aria-label'), b.getAttribute('aria-pressed')])),
      facts.names.map((name, k) => [name, k < kReset ? String(turned[k]) : null]));
    assert.deepEqual(await page.evaluate(() => ['role', 'aria-live'].map(a => document.getElementById('status').getAttribute(a))), ['status', 'polite']);
    if (can('snapshot')) {
      const tree = await page.page.accessibility.snapshot();
      const text = node => [node.name, ...(node.children ?? []).map(text)].join('');
      assert.equal(text(tree.children.find(n => n.role === 'status')), await heard(page));
      assert.deepEqual(tree.children.find(n => n.role === 'main').children.filter(n => n.role === 'button').map(n => [n.name, n.description ?? facts.Start, n.pressed ?? false]),
        facts.names.map((name, k) => [name, turned[k] ? facts.Turned : facts.Start, !!turned[k]]));
    }
    await click(page, kReset);
    assert.equal(await board(page), reference([]), 'new game');
    assert.equal(await heard(page), news([]));
  },

  async Clear(page) {
    const presses = reference(['--solve']).split(' ').map(Number), last = presses.at(-1);
    for (const k of presses.slice(0, -1)) await click(page, k);
    assert.equal(await dialogOpen(page), false, 'open before the board is cleared');
    await focus(page, last);
    await page.key('down', 'Enter');  // the last move, by a held Enter
    await page.key('down', 'Enter');  // whose repeat must not close the message
    await page.key('up', 'Enter');
    const cleared = reference(presses);
    assert.equal(await heard(page), news(presses, 'TurnedNews'));
    const ok = async () => page.click(...await page.evaluate(() => { const r = document.querySelector('dialog button').getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2]; }));
    for (const [how, close] of [['Enter', () => page.key('press', 'Enter')], ['Escape', () => page.key('press', 'Escape')], ['OK', ok]]) {
      assert.equal(await dialogOpen(page), true, how);
      assert.deepEqual(await page.evaluate(() => [...document.querySelectorAll('dialog h1, dialog p')].map(e => e.textContent)
        .concat(document.querySelector('dialog').matches(':modal'))), [facts.Caption, facts.Prompt, true]);
      await click(page, 0);  // the board takes no input meanwhile
      assert.equal(await board(page), cleared);
      await close();
      assert.equal(await dialogOpen(page), false, `${how} closes the message`);
      assert.equal(await focused(page), facts.names[last], `focus after ${how}`);
      await click(page, last);  // still playable: undo the last move, then clear again
      assert.equal(await board(page), reference([...presses, last]));
      await click(page, last);
    }
    await page.key('press', 'Escape');
    await click(page, kReset);
    assert.equal(await board(page), reference([]), 'new game after a clear');
  },

  // Players' screens [width, height, ratio, device pixels per picture pixel], one
  // page turned and zoomed through them: all in view, no scrolling, a tap turns a
  // cell. Only the primary button or a finger sinks a cell; a double tap turns it
  // twice and zooms nothing; a held finger selects nothing and brings no menu.
  async Phone(_, open) {
    const touch = !browser.can.touch, presses = [];
    const tap = async (page, k) => { if (!touch) return page.click(...await at(page, k)); await page.touch('start', ...await at(page, k)); await page.touch('end'); };
    const sunk = page => page.evaluate(() => { const [idle, held] = [0, 6].map(k => getComputedStyle(document.querySelectorAll('#window button')[k]).boxShadow); return held !== idle; });
    let page;
    for (const [width, height, ratio, scale] of [[390, 844, 3, 3], [844, 340, 3, 2], [360, 640, 1.5, 1], [640, 300, 2, 1], [683, 300, 2, 1],
      [768, 1024, 2, 2], [1280, 720, 1, 1], [1536, 864, 1.25, 1], [400, 300, 1, 300 / 373]]) {
      const viewport = `${width} x ${height} at ${ratio}`;
      if (browser.can.ratios && !browser.can.ratios.includes(ratio)) { skip(viewport, 'GDK_SCALE takes whole numbers'); continue; }
      if (!(await page?.resize({ width, height, ratio }))) [page, presses.length] = [await open({ width, height, ratio, touch }), 0];
      await painted(page);
      const seen = await page.evaluate(() => { const { left, top, right, bottom, width } = document.getElementById('window').getBoundingClientRect(), { scrollWidth, scrollHeight } = document.documentElement;
        return { left, top, right, bottom, wide: width * devicePixelRatio, scrollWidth, scrollHeight }; });
      assert.ok(seen.left >= 0 && seen.top >= 0 && Math.max(seen.right, seen.scrollWidth) <= width && Math.max(seen.bottom, seen.scrollHeight) <= height
        && Math.abs(seen.wide - client.width * scale) < 0.01, `${viewport}: ${JSON.stringify(seen)}`);
      await tap(page, presses.push(presses.length) - 1);
      assert.equal(await board(page), reference(presses), `${viewport}: a tap`);
    }
    // Counted after the page has had its say: a menu the page let through.
    await page.evaluate(() => { window.menus = 0; addEventListener('contextmenu', event => event.defaultPrevented || ++window.menus); });
    for (const button of ['middle', 'right']) {
      await page.mouse('down', ...await at(page, 6), button);
      assert.equal(await sunk(page), false, `sunk by the ${button} button`);
      await page.mouse('up', ...await at(page, 6), button);
    }
    if (!can('touch')) return;
    await page.resize({ width: 390, height: 844, ratio: 3 }).then(() => painted(page));
    await tap(page, 12);
    await tap(page, 12);
    assert.equal(await board(page), reference(presses), 'a double tap turns twice');
    assert.equal(await page.evaluate(() => visualViewport.scale), 1, 'a double tap zoomed');
    await page.touch('start', ...await at(page, 6));
    await new Promise(resolve => setTimeout(resolve, 1000));
    assert.deepEqual(await page.evaluate(() => [getSelection().toString(), window.menus]), ['', 0], 'held: nothing selected, no menu');
    assert.equal(await sunk(page), true, 'held: sunken');
    await page.touch('end');
  },

  // A site whose module is missing shows a plain message, not a blank page;
  // one whose server does not say the module is WebAssembly still plays.
  async Broken() {
    for (const [options, playable] of [[{ missing: ['zarnik.wasm'] }, false], [{ plain: ['.wasm'] }, true]]) {
      const served = await serve({ '/': site }, options);
      try {
        const page = await browser.open(`${served.url}/`, { until: playable ? undefined : () => document.querySelector('[role=alert]') });
        if (!playable) assert.match(await page.evaluate(() => document.querySelector('[role=alert]').textContent), new RegExp(`^${facts.Caption}.*zarnik.wasm`));
        await page.close();
      } finally {
        served.server.closeAllConnections();  // else a page left open on failure keeps the test running
        served.server.close();
      }
    }
  },

  // Offline, from the service worker's copy; the manifest makes it installable.
  async Offline(page, open, served) {
    await page.evaluate(() => navigator.serviceWorker.ready);
    if (can('manifest')) {
      const cdp = await page.page.createCDPSession();
      assert.equal(JSON.parse((await cdp.send('Page.getAppManifest')).data).name, facts.Caption);
      assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
    }
    served.server.closeAllConnections();
    await new Promise(resolve => served.server.close(resolve));
    const offline = await open();
    await click(offline, 12);
    assert.equal(await board(offline), reference([12]), 'a move with no network');
    assert.deepEqual(await offline.evaluate(async () => [document.cookie, localStorage.length, sessionStorage.length]), ['', 0, 0]);
  },
};

const browser = await launch(engine);
let failed = 0;
try {
  for (const [name, group] of Object.entries(groups)) {
    const served = await serve({ '/': site, '/images/': images });
    const pages = [];
    const open = async options => { const page = await browser.open(`${served.url}/`, options); pages.push(page); return page; };
    try {
      await group(await open(), open, served);
      await new Promise(resolve => setTimeout(resolve, 300));  // for the last reports to arrive
      assert.deepEqual(pages.flatMap(page => page.errors), [], 'errors in the page');
      assert.deepEqual(served.violations, [], 'content security policy violations');
      console.log(`${engine}: ${name} passed`);
    } catch (error) {
      ++failed;
      console.error(`${engine}: ${name} FAILED: ${error.stack}`);
    } finally {
      for (const page of pages) await page.close().catch(() => {});
      served.server.close();
    }
  }
  can('errors');
} finally {
  await browser.close();
}
process.exitCode = failed ? 1 : 0;

// Runs in the page: the screenshot (PNG, base64) and the module's pictures
// against the committed ones, pixel for pixel; returns a few faults at most.
async function comparePictures(shot, ratio, scale, rects, client, board, focusedCell, resetButton, files) {
  const window = document.getElementById('window').getBoundingClientRect();
  const [ox, oy] = [window.left * ratio, window.top * ratio].map(Math.round);  // layout rounds to 1/64 pixel
  const decode = async blob => {
    const bitmap = await createImageBitmap(blob, { colorSpaceConversion: 'none' });
    const context = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
    context.drawImage(bitmap, 0, 0);
    const { data, width, height } = context.getImageData(0, 0, bitmap.width, bitmap.height);
    return { width, height, data, at: (x, y) => data.slice(4 * (y * width + x), 4 * (y * width + x) + 3).join() };
  };
  const png = Uint8Array.from(atob(shot), c => c.charCodeAt(0));
  const seen = await decode(new Blob([png], { type: 'image/png' }));
  const [backdrop, start, turned, reset] = await Promise.all(['BackdropImage', 'TileStart', 'TileTurned', 'ResetFaceImage']
    .map(async name => decode(await (await fetch(`images/${files[name]}`)).blob())));
  const faults = [], fault = what => faults.length < 8 && faults.push(what);
  // The PNG files in the module, each to the next, as a decoder stops at its end.
  const module = new Uint8Array(await (await fetch('zarnik.wasm')).arrayBuffer()), signature = [0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a];
  const starts = [...module.keys()].filter(i => signature.every((byte, j) => module[i + j] === byte));
  const carried = new Set((await Promise.all(starts.map((start, i) => decode(new Blob([module.subarray(start, starts[i + 1])]))))).map(p => `${p.width} ${p.data}`));
  for (const [name, picture] of Object.entries({ backdrop, start, turned, reset }))
    if (!carried.has(`${picture.width} ${picture.data}`)) fault(`the module carries no ${name} as it is`);
  if (Math.round(window.width * ratio) !== client.width * scale) fault(`the window is ${window.width * ratio} device pixels wide`);
  // [picture, x, y], 'black', or null for a button frame (the front end's own).
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
  for (let y = 0; y < client.height; ++y) {
    for (let x = 0; x < client.width; ++x) {
      const want = expected(x, y);
      if (!want) continue;
      const colour = want === 'black' ? '0,0,0' : want[0].at(want[1], want[2]);
      for (let dy = 0; dy < scale; ++dy)
        for (let dx = 0; dx < scale; ++dx)
          if (seen.at(ox + scale * x + dx, oy + scale * y + dy) !== colour) fault(`(${scale * x + dx}, ${scale * y + dy}) shows ${seen.at(ox + scale * x + dx, oy + scale * y + dy)}, not ${colour}`);
    }
  }
  return faults;
}
