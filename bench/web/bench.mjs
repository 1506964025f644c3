// The browser program's two figures, printed as key=value for run.sh:
//   node bench.mjs SITE RUNS
// site_gzip_bytes: every file of the site, each compressed as a server
// would send it (gzip -9); and the median time from navigation to playable
// of the game and of the least page showing one button (floor.html), taken
// in turn in one headless Chromium, each a first visit in a fresh context.
import { readdirSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { launch, serve } from '../../tests/web/browser.mjs';

const [site, runs = 15] = process.argv.slice(2);
const size = readdirSync(site).reduce((sum, file) => sum + gzipSync(readFileSync(join(site, file)), { level: 9 }).length, 0);

const median = values => {
  const s = [...values].sort((a, b) => a - b), m = s.length >> 1;
  return s.length % 2 ? s[m] : (s[m - 1] + s[m]) / 2;
};
const { server, url } = await serve({ '/': site, '/floor/': new URL('.', import.meta.url).pathname });
const { browser, close } = await launch();
// Navigation to the first paint with content in it: the one button of the
// floor; for the game, the whole window, which shows only once every picture
// has loaded, and is playable once the page has marked it so.
async function playable(path) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.goto(url + path);
  const ms = await page.waitForFunction(() => {
    const paint = performance.getEntriesByName('first-contentful-paint')[0];
    const ready = location.pathname.endsWith('floor.html') ? paint : performance.getEntriesByName('playable')[0];
    return paint && ready && Math.max(paint.startTime, ready.startTime);
  }, { timeout: 10000 }).then(handle => handle.jsonValue());
  await context.close();
  return ms;
}
const times = { game: [], floor: [] };
try {
  await playable('/floor/floor.html');  // a first run of each warms the browser up
  await playable('/');
  for (let i = 0; i < runs; ++i) {
    times.floor.push(await playable('/floor/floor.html'));
    times.game.push(await playable('/'));
  }
} finally {
  await close();
  server.close();
}
console.log(`site_gzip_bytes=${size} playable_ms=${median(times.game).toFixed(1)} floor_ms=${median(times.floor).toFixed(1)}`);
