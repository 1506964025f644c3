// The browser program's figures, printed as key=value for run.sh:
//   node bench.mjs SITE RUNS ENGINE...   (webkit on the X display DISPLAY)
// site_bytes: every file of the site, as a server that compresses nothing
// sends it; site_gzip_bytes: each compressed (gzip -9). For each engine, the
// median time from navigation to playable of the game and of the least page
// showing one button (floor.html), taken in turn, each a first visit.
// BENCH_BEFORE=SITE times another build of the site in the same turns
// (ENGINE_before_ms); BENCH_GZIP=1 has the server compress every file.
import { readdirSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { launch, serve } from '../../tests/support/browsers.mjs';

const [site, runs = 15, ...engines] = process.argv.slice(2);
const files = readdirSync(site).map(file => readFileSync(join(site, file)));
const sum = sizes => sizes.reduce((a, b) => a + b, 0);
console.log(`site_bytes=${sum(files.map(file => file.length))} site_gzip_bytes=${sum(files.map(file => gzipSync(file, { level: 9 }).length))}`);

const median = values => {
  const s = [...values].sort((a, b) => a - b), m = s.length >> 1;
  return s.length % 2 ? s[m] : (s[m - 1] + s[m]) / 2;
};
const before = process.env.BENCH_BEFORE;
const paths = { floor: '/floor/floor.html', playable: '/', ...(before && { before: '/before/' }) };
const { server, url } = await serve({ '/': site, '/floor/': new URL('.', import.meta.url).pathname, ...(before && { '/before/': before }) },
  { gzip: process.env.BENCH_GZIP === '1' });
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
    const times = Object.fromEntries(Object.keys(paths).map(name => [name, []]));
    try {
      for (const path of Object.values(paths)) await time(path);  // a first run of each warms the browser up
      for (let i = 0; i < runs; ++i)
        for (const [name, path] of Object.entries(paths)) times[name].push(await time(path));
    } finally {
      await browser.close();
    }
    console.log(Object.entries(times).map(([name, ms]) => `${engine}_${name}_ms=${median(ms).toFixed(1)}`).join(' '));
  }
} finally {
  server.close();
}
