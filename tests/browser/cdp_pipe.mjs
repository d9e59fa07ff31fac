// Headless Chromium driven through the DevTools protocol over a pipe.
//
// Why a pipe and plain Node: --remote-debugging-pipe speaks the protocol as
// NUL-separated JSON on file descriptors 3 (to the browser) and 4 (from it), so
// nothing is needed beyond Node's own child_process: no npm packages to pin and
// install, no WebSocket client, no port to pick. --dump-dom alone cannot tell
// whether an image loaded.

import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const kFlags = [
    '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--hide-scrollbars', '--remote-debugging-pipe',
];

export async function openBrowser(chromium) {
    const profile = mkdtempSync(join(tmpdir(), 'tavlo-chromium-'));
    const child = spawn(chromium, [...kFlags, `--user-data-dir=${profile}`, 'about:blank'], {
        stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe'],
    });

    // The browser's own log is noise unless it dies: keep its last lines for the report.
    const logTail = [];
    child.stderr.setEncoding('utf8');
    child.stderr.on('data', (text) => {
        logTail.push(...text.split('\n').filter(Boolean));
        logTail.splice(0, Math.max(0, logTail.length - 20));
    });

    let nextId = 0;
    const pending = new Map();
    const listeners = new Set();
    let ended = null;
    const endAll = (error) => {
        if (ended)
            return;
        ended = error;
        for (const { reject } of pending.values())
            reject(error);
        pending.clear();
    };
    // Whatever way this process ends, the browser and its profile go with it.
    const cleanUp = () => {
        if (child.exitCode === null && child.signalCode === null)
            child.kill('SIGKILL');
        rmSync(profile, { recursive: true, force: true });
    };
    process.on('exit', cleanUp);
    child.on('error', (error) => endAll(new Error(`cannot start ${chromium}: ${error.message}`)));
    child.on('exit', (code, signal) =>
        endAll(new Error(`Chromium ended (${signal ?? code}):\n${logTail.join('\n')}`)));

    let buffered = '';
    child.stdio[4].setEncoding('utf8');
    child.stdio[4].on('data', (text) => {
        buffered += text;
        for (let end; (end = buffered.indexOf('\0')) >= 0;) {
            const message = JSON.parse(buffered.slice(0, end));
            buffered = buffered.slice(end + 1);
            if (message.id !== undefined && pending.has(message.id)) {
                const { resolve, reject, method } = pending.get(message.id);
                pending.delete(message.id);
                if (message.error)
                    reject(new Error(`${method}: ${message.error.message}`));
                else
                    resolve(message.result);
            } else {
                for (const listener of listeners)
                    listener(message);
            }
        }
    });
    child.stdio[3].on('error', () => {});  // a broken pipe shows as the exit above

    const send = (method, params = {}, sessionId = undefined) => {
        if (ended)
            return Promise.reject(ended);
        const id = ++nextId;
        child.stdio[3].write(JSON.stringify({ id, method, params, ...(sessionId ? { sessionId } : {}) }) + '\0');
        return new Promise((resolve, reject) => pending.set(id, { resolve, reject, method }));
    };

    const nextEvent = (method, sessionId) =>
        new Promise((resolve) => {
            const listener = (message) => {
                if (message.method === method && message.sessionId === sessionId) {
                    listeners.delete(listener);
                    resolve(message.params);
                }
            };
            listeners.add(listener);
        });

    async function newPage() {
        const { targetId } = await send('Target.createTarget', { url: 'about:blank' });
        const { sessionId } = await send('Target.attachToTarget', { targetId, flatten: true });
        const call = (method, params) => send(method, params, sessionId);
        await call('Page.enable');
        return {
            // Opens a URL and waits for its load event, which comes after every image has loaded or failed.
            async open(url) {
                const loaded = nextEvent('Page.loadEventFired', sessionId);
                const { errorText } = await call('Page.navigate', { url });
                if (errorText)
                    throw new Error(`${url}: ${errorText}`);
                await loaded;
            },
            async evaluate(expression) {
                const { result, exceptionDetails } =
                    await call('Runtime.evaluate', { expression, returnByValue: true, awaitPromise: true });
                if (exceptionDetails)
                    throw new Error(`${expression}: ${exceptionDetails.text}`);
                return result.value;
            },
            async setViewport(width, height) {
                await call('Emulation.setDeviceMetricsOverride',
                    { width, height, deviceScaleFactor: 1, mobile: false });
            },
            // A PNG of the viewport, or of the whole page when fullPage is set.
            async screenshot({ fullPage = false } = {}) {
                const { data } = await call('Page.captureScreenshot',
                    { format: 'png', captureBeyondViewport: fullPage });
                return Buffer.from(data, 'base64');
            },
        };
    }

    async function close() {
        try {
            await send('Browser.close');
        } catch {
            // Already gone.
        }
        if (child.exitCode === null && child.signalCode === null)
            await new Promise((resolve) => child.once('exit', resolve));
        process.off('exit', cleanUp);
        cleanUp();
    }

    return { newPage, close };
}

// Ends the process with a message when the work takes longer than it ever should.
export function failAfter(seconds) {
    setTimeout(() => {
        process.stderr.write(`no answer from Chromium within ${seconds} s\n`);
        process.exit(3);
    }, seconds * 1000).unref();
}
