// The browser program's figures, printed as key=value for run.sh:
//   node bench.mjs SITE RUNS ENGINE...   (webkit on the X display DISPLAY)
// site_gzip_bytes: every file of the site, each compressed as a server
// would send it (gzip -9); and for each engine, the median time from
// navigation to playable of the game and of the least page showing one
// button (floor.html), taken in turn, each a first visit.
import { readdirSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { launch, serve } from '../../tests/support/browsers.mjs';

const [site, runs = 15, ...engines] = process.argv.slice(2);
const size = readdirSync(site).reduce((sum, file) => sum + gzipSync(readFileSync(join(site, file)), { level: 9 }).length, 0);
console.log(`site_gzip_bytes=${size}`);

const median = values => {
  const s = [...values].sort((a, b) => a - b), m = s.length >> 1;
  return s.length % 2 ? s[m] : (s[m - 1] + s[m]) / 2;
};
const { server, url } = await serve({ '/': site, '/floor/': new URL('.', import.meta.url).pathname });
// Navigation to the first paint with content in it: the floor's one button;
// for the game, the whole window, which is playable once the page has
// marked it so, painted. (WebKit counts no CSS background as content, so
// the game's mark stands alone there.)
const painted = () => {
  const paint = performance.getEntriesByName('first-contentful-paint')[0];
  const ready = location.pathname.endsWith('floor.html') ? paint : performance.getEntriesByName('playable')[0];
  return ready && Math.max(paint?.startTime ?? 0, ready.startTime);
};
try {
  for (const engine of engines) {
    const browser = await launch(engine);
    const time = async path => {
      const page = await browser.open(url + path, { fresh: true, until: painted });
      const ms = await page.evaluate(painted);
      await page.close();
      return ms;
    };
    const times = { game: [], floor: [] };
    try {
      await time('/floor/floor.html');  // a first run of each warms the browser up
      await time('/');
      for (let i = 0; i < runs; ++i) {
        times.floor.push(await time('/floor/floor.html'));
        times.game.push(await time('/'));
      }
    } finally {
      await browser.close();
    }
    console.log(`${engine}_playable_ms=${median(times.game).toFixed(1)} ${engine}_floor_ms=${median(times.floor).toFixed(1)}`);
  }
} finally {
  server.close();
}
