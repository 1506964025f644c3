// Shared by the browser tests and the benchmark: the built site served on
// 127.0.0.1, and Debian's Chromium, headless, with everything it writes kept
// in one temporary folder that goes with it.
import { mkdtempSync, readFileSync, rmSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { extname, join, normalize } from 'node:path';
import puppeteer from 'puppeteer-core';

const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json', '.bmp': 'image/bmp',
  '.ico': 'image/x-icon', '.svg': 'image/svg+xml' };

// Serves each root's files under its prefix ('/' for the site) on a free port.
// `missing` names files to answer 404 for, as a broken deployment would.
export async function serve(roots, missing = []) {
  const server = createServer((request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://host').pathname);
    const prefix = Object.keys(roots).filter(p => path.startsWith(p)).sort((a, b) => b.length - a.length)[0];
    let file = prefix && join(roots[prefix], normalize(path.slice(prefix.length)));
    try {
      if (statSync(file).isDirectory()) file = join(file, 'index.html');
      if (missing.some(name => file.endsWith(`/${name}`))) throw new Error('withheld');
      response.writeHead(200, { 'Content-Type': types[extname(file)] ?? 'application/octet-stream' });
      response.end(readFileSync(file));
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
  return { server, url: `http://127.0.0.1:${server.address().port}` };
}

// Chromium as root, with no sandbox, network or profile of the machine's:
// HOME, the profile, caches and the session bus all point into `folder`.
export async function launch(folder = mkdtempSync(join(tmpdir(), 'zarnik-web-'))) {
  const browser = await puppeteer.launch({
    executablePath: '/usr/lib/chromium/chromium',
    headless: true,
    userDataDir: join(folder, 'profile'),
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-sync',
      '--disable-background-networking', '--disable-component-update', '--force-color-profile=srgb',
      '--disable-dev-shm-usage', '--disable-crash-reporter', '--disable-breakpad'],
    env: { PATH: process.env.PATH, HOME: folder, XDG_CONFIG_HOME: join(folder, 'config'),
      XDG_CACHE_HOME: join(folder, 'cache'), TMPDIR: folder,
      DBUS_SESSION_BUS_ADDRESS: `unix:path=${join(folder, 'no-bus')}` },
  });
  const close = async () => { await browser.close(); rmSync(folder, { recursive: true, force: true }); };
  return { browser, folder, close };
}

// Opens `url` in a fresh page and waits until the page is playable: every
// button shown and the board painted, which the page marks. The page's
// errors, and what it logs as errors, collect in page.errors.
export async function open(browser, url, viewport = { width: 800, height: 600, deviceScaleFactor: 1 }) {
  const page = await browser.newPage();
  page.errors = [];
  page.on('pageerror', error => page.errors.push(error.message));
  page.on('console', message => message.type() === 'error' && page.errors.push(message.text()));
  await page.setViewport(viewport);
  await page.goto(url);
  await page.waitForFunction(() => performance.getEntriesByName('playable').length > 0, { timeout: 10000 });
  return page;
}
