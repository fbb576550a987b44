// Opens a page of the browser build in headless Chromium (Debian's, driven by playwright-core)
// from file://, with a fresh profile, and records whatever a page of ours must never do: log an
// error to the console, throw, or make any request beyond loading itself.
import { chromium } from 'playwright-core';
import { mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

// Without the networking switches Chromium keeps trying to reach its own servers, which this
// machine's closed network refuses; --no-sandbox because the tests run as root.
const kArgs = [
  '--no-sandbox',
  '--disable-gpu',
  '--disable-quic',
  '--no-first-run',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
];

export async function openPage(htmlPath) {
  const profile = await mkdtemp(path.join(tmpdir(), 'ondulix-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: kArgs,
    viewport: { width: 1000, height: 700 },
  });
  const url = pathToFileURL(path.resolve(htmlPath)).href;
  const problems = [];
  context.on('request', (request) => {
    if (request.url() !== url) problems.push(`request: ${request.url()}`);
  });
  const page = context.pages()[0] ?? (await context.newPage());
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(`console error: ${message.text()}`);
  });
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  await page.goto(url);
  return {
    page,
    problems,
    async close() {
      await context.close();
      await rm(profile, { recursive: true, force: true });
    },
  };
}
