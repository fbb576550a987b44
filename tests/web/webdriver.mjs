// A client of the W3C WebDriver protocol over plain HTTP, as much of it as the tests use.
import { spawn } from 'node:child_process';
import { createServer } from 'node:net';

const kElement = 'element-6066-11e4-a52e-4f735466cecf';

// The keys WebDriver sends as characters of Unicode's private use area.
const kKeys = {
  Backspace: '\uE003', Tab: '\uE004', Enter: '\uE007', Shift: '\uE008', Control: '\uE009', Alt: '\uE00A',
  Escape: '\uE00C', ' ': ' ', Space: ' ', PageUp: '\uE00E', PageDown: '\uE00F', End: '\uE010', Home: '\uE011',
  ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015', Delete: '\uE017',
  Meta: '\uE03D',
};
for (let i = 1; i <= 12; ++i) kKeys[`F${i}`] = String.fromCharCode(0xE030 + i);

export function webDriverKey(name) {
  if (name in kKeys) return kKeys[name];
  if ([...name].length === 1) return name;
  throw new Error(`no WebDriver key for ${name}`);
}

export async function freePort() {
  const server = createServer();
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const { port } = server.address();
  await new Promise((resolve) => server.close(resolve));
  return port;
}

// Starts a driver program listening on a free port; gives its address and a function that ends it.
export async function startDriver(command, args, env) {
  const port = await freePort();
  const driver = spawn(command, [...args, `--port=${port}`], { env, stdio: 'ignore' });
  const exited = new Promise((resolve) => driver.once('exit', resolve));
  // A test run that ends early leaves no driver behind.
  process.once('exit', () => driver.kill());
  const base = `http://127.0.0.1:${port}`;
  for (let tries = 0; ; ++tries) {
    try {
      const status = await (await fetch(`${base}/status`)).json();
      if (status.value.ready) break;
    } catch (error) {
      if (tries > 100 || driver.exitCode !== null) throw new Error(`${command} did not start: ${error.message}`);
    }
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  return {
    base,
    stop: async () => {
      if (driver.exitCode === null) driver.kill();
      await exited;
    },
  };
}

export class WebDriverSession {
  constructor(base, id) {
    this.url = `${base}/session/${id}`;
  }

  static async create(base, capabilities) {
    const answer = await request('POST', `${base}/session`, { capabilities: { alwaysMatch: capabilities } });
    return new WebDriverSession(base, answer.sessionId);
  }

  command(method, path, body) {
    return request(method, `${this.url}${path}`, body);
  }

  async element(selector) {
    const found = await this.command('POST', '/element', { using: 'css selector', value: selector });
    return found[kElement];
  }

  // Runs fn() with the <iframe> that the selector finds as the browsing context, then returns
  // to the page.
  async inFrame(selector, fn) {
    await this.command('POST', '/frame', { id: { [kElement]: await this.element(selector) } });
    try {
      return await fn();
    } finally {
      await this.command('POST', '/frame/parent', {});
    }
  }

  // Runs a script's source, an expression whose value may be a promise, and gives its value.
  async evaluate(source) {
    const script = `const done = arguments[arguments.length - 1];
      Promise.resolve().then(() => ${source}).then((value) => done({ value }),
        (error) => done({ error: String(error && error.stack || error) }));`;
    const answer = await this.command('POST', '/execute/async', { script, args: [] });
    if (answer && 'error' in answer) throw new Error(`in the page: ${answer.error}`);
    return answer.value === undefined ? undefined : answer.value;
  }

  async actions(sources) {
    await this.command('POST', '/actions', { actions: sources });
    await this.command('DELETE', '/actions');
  }

  end() {
    return this.command('DELETE', '');
  }
}

async function request(method, url, body) {
  const answer = await fetch(url, {
    method,
    headers: body === undefined ? {} : { 'Content-Type': 'application/json; charset=utf-8' },
    body: body === undefined ? undefined : JSON.stringify(body),
  });
  const { value } = await answer.json();
  if (!answer.ok) {
    const error = new Error(`WebDriver ${method} ${url.replace(/^.*\/session\/[^/]+/, '')}: ${value.error}: ${value.message}`);
    error.code = value.error;
    throw error;
  }
  return value;
}
