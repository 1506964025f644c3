// Makes the README's pictures of the site from the built site in headless
// Chromium: the window alone at 1 and 2 device pixels per CSS pixel, a game
// in progress played from the keyboard, the focus left on its last cell; and
// a phone's whole screen, upright.
//   node tools/web-screenshot.mjs [SITE [FOLDER]]   (build-web/site, docs)
import { writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { launch, serve } from '../tests/support/browsers.mjs';

const [site = 'build-web/site', folder = 'docs'] = process.argv.slice(2);
const { server, url } = await serve({ '/': site });
const browser = await launch('chromium');
try {
  for (const [file, width, height, ratio, clip] of [['web-screenshot.png', 801, 601, 1, true], ['web-screenshot-2x.png', 801, 601, 2, true],
    ['web-phone.png', 390, 844, 3, false]]) {
    const page = await browser.open(`${url}/`, { width, height, ratio });
    for (const k of clip ? [3, 6, 12, 13, 18, 21] : []) {
      await page.evaluate(c => document.querySelectorAll('#window button')[c].focus(), k);
      await page.key('press', 'Space');
    }
    await page.evaluate(() => new Promise(done => requestAnimationFrame(() => requestAnimationFrame(done))));
    const window = clip && await page.evaluate(() => document.getElementById('window').getBoundingClientRect().toJSON());
    writeFileSync(join(folder, file), await page.page.screenshot(window ? { clip: window } : {}));
    await page.close();
  }
} finally {
  await browser.close();
  server.close();
}
