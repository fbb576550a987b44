// The frame time of the browser build in headless Chromium, for the largest grid (n = 50) with
// four sources and every mark on, and the frames per second its page shows with a 20 ms
// timer. Needs build-web/ (bash scripts/web.sh) and node_modules (npm ci).
import { openPage } from '../tests/web/browser.mjs';
import path from 'node:path';

const root = path.resolve(import.meta.dirname, '..');
const { page, problems, close } = await openPage(
  path.join(root, 'build-web/tests/web/first_frame.html'));
try {
  await page.waitForSelector('body[data-ready="true"]');
  const ms = await page.evaluate(() => Module._frameMilliseconds(50, 20));
  console.log(`web frame n=50: ${ms.toFixed(2)} ms`);
  const fps = await page.evaluate(() => animate(50, 20, 3000));
  console.log(`web fps: ${fps.toFixed(1)}`);
  if (problems.length) throw new Error(problems.join('\n'));
} finally {
  await close();
}
