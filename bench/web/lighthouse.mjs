// Lighthouse, the web's own audit, of the site served uncompressed, in its
// mobile profile (slow 4G and a CPU four times slower, simulated), with
// Debian's Chromium; the median of RUNS audits, as key=value for run.sh:
//   node lighthouse.mjs SITE [RUNS]
// lighthouse_CATEGORY: each category's score (0 to 1); lighthouse_lcp_ms:
// the largest contentful paint; lighthouse_bytes: what the page loaded.
import { execFile } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { promisify } from 'node:util';
import { serve } from '../../tests/support/browsers.mjs';

const [site, runs = 3] = process.argv.slice(2);
const lighthouse = new URL('../../node_modules/.bin/lighthouse', import.meta.url).pathname;
const flags = '--headless --no-sandbox --disable-gpu --disable-background-networking --disable-component-update --disable-sync --no-first-run';
const median = values => [...values].sort((a, b) => a - b)[values.length >> 1];
const { server, url } = await serve({ '/': site });
const folder = mkdtempSync(join(tmpdir(), 'zarnik-lighthouse-'));  // Chromium's profile and everything else it writes
const env = { PATH: process.env.PATH, HOME: folder, TMPDIR: folder, XDG_CONFIG_HOME: folder, XDG_CACHE_HOME: folder };
const reports = [];
try {
  for (let i = 0; i < runs; ++i) {
    const { stdout } = await promisify(execFile)(lighthouse, [`${url}/`, '--chrome-path=/usr/bin/chromium', `--chrome-flags=${flags}`,
      '--output=json', '--quiet'], { env, maxBuffer: 1 << 28 });
    reports.push(JSON.parse(stdout));
  }
} finally {
  server.close();
  rmSync(folder, { recursive: true, force: true });
}
const figures = { lcp_ms: r => r.audits['largest-contentful-paint'].numericValue, bytes: r => r.audits['total-byte-weight'].numericValue };
for (const category of Object.keys(reports[0].categories)) figures[category.replace('-', '_')] = r => r.categories[category].score;
console.log(Object.entries(figures).map(([name, figure]) => `lighthouse_${name}=${Math.round(median(reports.map(figure)) * 100) / 100}`).join(' '));
