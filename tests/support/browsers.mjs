// The built site served on 127.0.0.1, and Debian's engines, each writing only in
// a temporary folder: Chromium and Firefox ESR headless through puppeteer-core,
// WebKitGTK's MiniBrowser (no headless mode) on the X display through
// WebKitWebDriver. Pages offer the same calls; `can` says what an engine cannot do.
import { spawn } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { extname, join, normalize } from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';
import { gzipSync } from 'node:zlib';
import puppeteer from 'puppeteer-core';

process.env.WDIO_LOG_LEVEL ??= 'silent';  // read when the client is loaded
const { default: WebDriver } = await import('webdriver');

export const can = {
  chromium: {},
  firefox: { snapshot: 'puppeteer has no accessibility tree over BiDi', manifest: 'the manifest checks need DevTools' },
  webkit: {
    ratios: [1, 2, 3],  // GDK_SCALE, whole numbers only
    repeat: 'WebKitWebDriver sends no second key-down for a held key',
    touch: 'WebKitGTK has no touch events without a touch screen',
    errors: 'WebKit reports no console messages to an automation session',
    snapshot: 'WebDriver has no accessibility tree', manifest: 'the manifest checks need DevTools',
  },
};

const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json', '.bmp': 'image/bmp', '.ico': 'image/x-icon', '.svg': 'image/svg+xml' };

// Serves each root under its prefix; `missing` files 404, `plain` types as bytes,
// all gzipped with `gzip`. The content security policy goes again report-only, so
// that every engine reports violations to the server, into `violations`.
export async function serve(roots, { missing = [], plain = [], gzip = false } = {}) {
  const violations = [];
  const server = createServer((request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://host').pathname);
    if (request.method === 'POST') return request.on('data', data => violations.push(String(data))).on('end', () => response.end());
    const prefix = Object.keys(roots).filter(p => path.startsWith(p)).sort((a, b) => b.length - a.length)[0];
    let file = prefix && join(roots[prefix], normalize(path.slice(prefix.length)));
    try {
      if (statSync(file).isDirectory()) file = join(file, 'index.html');
      if (missing.some(name => file.endsWith(`/${name}`))) throw new Error('withheld');
      let body = readFileSync(file);
      const type = extname(file), headers = { 'Cache-Control': 'no-store',
        'Content-Type': plain.includes(type) ? 'application/octet-stream' : types[type] ?? 'application/octet-stream' };
      const policy = type === '.html' && /http-equiv="Content-Security-Policy" content="([^"]*)"/.exec(body)?.[1];
      if (policy) headers['Content-Security-Policy-Report-Only'] = `${policy}; report-uri /csp`;
      if (gzip) [body, headers['Content-Encoding']] = [gzipSync(body), 'gzip'];
      response.writeHead(200, headers).end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
  return { server, violations, url: `http://127.0.0.1:${server.address().port}` };
}

// Starts `engine`; `open(url, options)` gives a page once it is playable or
// `until` holds, a first visit if `fresh`; `close()` removes the engine's folder.
export async function launch(engine) {
  const folder = shortFolder(`zarnik-${engine}-`);
  const env = { PATH: process.env.PATH, HOME: folder, XDG_CONFIG_HOME: join(folder, 'config'), XDG_CACHE_HOME: join(folder, 'cache'),
    XDG_DATA_HOME: join(folder, 'data'), TMPDIR: folder, DISPLAY: process.env.DISPLAY ?? '', NO_AT_BRIDGE: '1',
    DBUS_SESSION_BUS_ADDRESS: `unix:path=${join(folder, 'no-bus')}`, MOZ_CRASHREPORTER_DISABLE: '1' };
  const session = engine === 'webkit' ? await webkit(folder, env) : await chromiumOrFirefox(engine, folder, env);
  return { ...session, engine, can: can[engine], async close() { await session.close(); rmSync(folder, { recursive: true, force: true, maxRetries: 50 }); } };
}

// Chromium keeps its single-instance socket in TMPDIR, and a socket's path holds
// 107 bytes: below a deep build tree the engine's folder goes to /tmp instead.
function shortFolder(prefix) {
  const room = 107 - '/org.chromium.Chromium.XXXXXX/SingletonSocket'.length;
  const folder = mkdtempSync(join(tmpdir(), prefix));
  if (folder.length <= room) return folder;
  rmSync(folder, { recursive: true });
  return mkdtempSync(join('/tmp', prefix));
}

const playable = () => performance.getEntriesByName('playable').length > 0;

async function chromiumOrFirefox(engine, folder, env) {
  const common = { headless: true, userDataDir: join(folder, 'profile'), env };
  const browser = await (engine === 'chromium'
    ? puppeteer.launch({ ...common, executablePath: '/usr/lib/chromium/chromium', args: ['--no-sandbox', '--disable-gpu',
      '--disable-quic', '--no-first-run', '--disable-sync', '--disable-background-networking', '--disable-component-update',
      '--force-color-profile=srgb', '--disable-dev-shm-usage', '--disable-crash-reporter', '--disable-breakpad'] })
    // A touch screen is a matter of preferences for Firefox's whole run.
    : puppeteer.launch({ ...common, browser: 'firefox', protocol: 'webDriverBiDi', executablePath: '/usr/lib/firefox-esr/firefox-esr',
      extraPrefsFirefox: { 'dom.w3c_touch_events.enabled': 1, 'dom.w3c_touch_events.legacy_apis.enabled': true,
        'dom.maxtouchpoints.testing.value': 5 } }));
  // Firefox's first tab, opened at start-up, never has the focus; the pages opened later do.
  return {
    browser,
    async open(url, { width = 800, height = 600, ratio = 1, touch = false, until = playable, fresh = false } = {}) {
      const context = fresh ? await browser.createBrowserContext() : browser;
      const page = await context.newPage();
      const errors = [];
      page.on('pageerror', error => errors.push(error.message));
      page.on('console', message => message.type() === 'error' && errors.push(message.text()));
      await page.setViewport({ width, height, deviceScaleFactor: ratio, hasTouch: touch, isMobile: touch });
      await page.goto(url);
      await page.waitForFunction(until, { timeout: 10000 });
      return {
        page, errors,
        evaluate: (fn, ...args) => page.evaluate(fn, ...args),
        click: (x, y) => page.mouse.click(x, y),
        key: (action, key) => page.keyboard[action](key === 'Space' ? ' ' : key),  // press, down, up
        touch: (action, x, y) => (action === 'start' ? page.touchscreen.touchStart(x, y) : page.touchscreen.touchEnd()),
        mouse: (action, x, y, button) => (action === 'down' ? page.mouse.move(x, y).then(() => page.mouse.down({ button })) : page.mouse.up({ button })),
        // A new viewport for the page as it is (a turned phone, a zoom); true once done.
        resize: ({ width, height, ratio = 1 }) => page.setViewport({ width, height, deviceScaleFactor: ratio, hasTouch: touch, isMobile: touch }).then(() => true),
        shot: () => page.screenshot({ encoding: 'base64' }),
        close: () => (fresh ? context.close() : page.close()),
      };
    },
    async close() {  // Firefox's own processes write a little after it says it has closed
      const child = browser.process();
      await browser.close();
      if (child.exitCode === null && child.signalCode === null) await new Promise(exited => child.once('exit', exited));
    },
  };
}

// W3C WebDriver's mouse buttons and key codes of the keys the tests press.
const buttons = { left: 0, middle: 1, right: 2 };
const keys = { Tab: '\uE004', Enter: '\uE007', Space: '\uE00D', Escape: '\uE00C', Shift: '\uE008',
  ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015' };

async function webkit(folder, env) {
  const port = await new Promise(resolve => { const s = createServer().listen(0, '127.0.0.1', () => { const p = s.address().port; s.close(() => resolve(p)); }); });
  const driver = spawn('/usr/bin/WebKitWebDriver', [`--port=${port}`, '--host=local'], { env, stdio: 'ignore' });
  for (let tries = 0; !(await fetch(`http://127.0.0.1:${port}/status`).then(r => r.ok, () => false)); ++tries) {
    if (tries > 200) throw new Error('WebKitWebDriver did not start');
    await sleep(50);
  }
  let client, scale;
  const quit = () => client?.deleteSession().catch(() => {});
  return {
    // GDK_SCALE is read as MiniBrowser starts: a new ratio is a new browser. The
    // focus follows the pointer, at the screen's middle: the window is centred.
    async open(url, { width = 800, height = 600, ratio = 1, until = playable, fresh = false } = {}) {
      const again = ratio === scale && !fresh;
      if (!again) await quit();
      client = again ? client : await WebDriver.newSession({ hostname: '127.0.0.1', port, logLevel: 'silent', connectionRetryTimeout: 30000,
        capabilities: { 'wdio:enforceWebDriverClassic': true, 'webkitgtk:browserOptions': { binary: '/usr/bin/env',
          args: [`GDK_SCALE=${ratio}`, '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', '--automation', '--full-screen'] } } });
      scale = ratio;
      const evaluate = (fn, ...args) => client.executeScript(`return (${fn}).apply(null, arguments)`, args);
      const viewport = async (width, height) => {
        const [screenWidth, screenHeight] = await evaluate(() => [screen.width, screen.height]);
        for (let [w, h] = [width, height], i = 0; i < 20; ++i) {
          await client.setWindowRect(Math.round((screenWidth - w) / 2), Math.round((screenHeight - h) / 2), w, h);
          await sleep(50);
          const [inner, innerHeight] = await evaluate(() => [innerWidth, innerHeight]);
          if (inner === width && innerHeight === height) return;
          [w, h] = [w + width - inner, h + height - innerHeight];
        }
        throw new Error(`cannot make the viewport ${width} x ${height}`);
      };
      await viewport(width, height);
      await client.navigateTo(url);
      for (let i = 0; !(await evaluate(until)); ++i) { if (i > 200) throw new Error(`never ${until}`); await sleep(50); }
      const act = actions => client.performActions(actions).then(() => client.releaseActions());
      const key = type => name => client.performActions([{ type: 'key', id: 'keyboard', actions: [{ type, value: keys[name] ?? name }] }]);
      return {
        errors: [], evaluate,
        click: (x, y) => act([{ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' }, actions: [
          { type: 'pointerMove', duration: 0, x: Math.round(x), y: Math.round(y) }, { type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }] }]),
        key: (action, name) => (action === 'press' ? key('keyDown')(name).then(() => key('keyUp')(name)) : key(`key${action === 'down' ? 'Down' : 'Up'}`)(name)),
        mouse: (action, x, y, button) => client.performActions([{ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' }, actions: action === 'down'
          ? [{ type: 'pointerMove', duration: 0, x: Math.round(x), y: Math.round(y) }, { type: 'pointerDown', button: buttons[button] }] : [{ type: 'pointerUp', button: buttons[button] }] }]),
        resize: async ({ width, height, ratio = 1 }) => ratio === scale && (await viewport(width, height), true),  // a new ratio is a new browser
        shot: () => client.takeScreenshot(),
        close: async () => {},
      };
    },
    async close() {
      await quit();
      driver.kill();
      await new Promise(resolve => driver.once('exit', resolve));
    },
  };
}
