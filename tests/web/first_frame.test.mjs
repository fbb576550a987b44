// The seed page against the desktop: it loads from file:// without a console error or a
// request, and its canvas shows ondulix-k-render's picture of the same set-up, pixel for pixel.
import { openPage } from './browser.mjs';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { test } from 'node:test';
import assert from 'node:assert/strict';

const root = path.resolve(import.meta.dirname, '../..');
const pagePath = path.join(root, 'build-web/tests/web/first_frame.html');
const renderCommand =
  process.env.ONDULIX_RENDER || path.join(root, 'build/src/render/ondulix-k-render');

// The desktop's picture of a set-up file at a clock, as PNG bytes.
function desktopPicture(setupPath, clock) {
  const dir = mkdtempSync(path.join(tmpdir(), 'ondulix-picture-'));
  try {
    const png = path.join(dir, 'frame.png');
    execFileSync(renderCommand, [setupPath, '-o', png, '--clock', String(clock)]);
    return readFileSync(png);
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
}

test('the page draws a set-up as the desktop does, offline and without errors', async () => {
  const setup = path.join(root, 'examples/04-four-sources-square.okd');
  const expected = desktopPicture(setup, 60).toString('base64');
  const { page, problems, close } = await openPage(pagePath);
  try {
    await page.waitForSelector('body[data-ready="true"]');
    assert.ok(await page.evaluate((text) => showSetup(text, 60), readFileSync(setup, 'latin1')));
    await page.locator('#graph').screenshot({ path: path.join(root, 'build-web/first_frame.png') });
    // Decoded in the page from bytes, so that reading the picture makes no request either.
    const differing = await page.evaluate(async (base64) => {
      const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
      const picture = await createImageBitmap(new Blob([bytes], { type: 'image/png' }));
      const scratch = new OffscreenCanvas(picture.width, picture.height).getContext('2d');
      scratch.drawImage(picture, 0, 0);
      const want = scratch.getImageData(0, 0, picture.width, picture.height).data;
      const graph = document.getElementById('graph');
      const have = graph.getContext('2d').getImageData(0, 0, graph.width, graph.height).data;
      if (want.length !== have.length) return -1;
      let count = 0;
      for (let i = 0; i < want.length; i += 4)
        if (want[i] !== have[i] || want[i + 1] !== have[i + 1] || want[i + 2] !== have[i + 2]) count++;
      return count;
    }, expected);
    assert.equal(differing, 0, 'pixels that differ from the desktop picture');
    assert.deepEqual(problems, []);
  } finally {
    await close();
  }
});
