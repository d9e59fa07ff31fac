// The footer's viewer in headless Chromium, on a gallery of a portrait and two landscape
// photos and a web page: open by a click, next and previous by key, button and swipe,
// first and last by Home and End, each picture named in the address; double click zooms to
// the picture's own pixels and a drag pans it; focus stays inside and comes back to the cell;
// Esc, Back, the backdrop and a swipe down close it; a modifier click, a web-page cell and the
// index of a series keep their links, nothing is fetched but the pictures, and a 390-pixel phone
// never scrolls sideways. Then the gallery with thumbnails, opened by a link to one picture:
// a picture held back shows its thumbnail under its own caption, a picture larger than a screen
// its screen copy with a link to the original, one that fails says so, and axe-core finds
// nothing critical or serious, the viewer open and closed. And a gallery of a film,
// a sound and an AVI made by FFmpeg's program, with thumbnails: the film plays on a click, poster
// first; the sound next to it waits to be played; the AVI, which Chromium cannot play, keeps its link.
//   node viewer_in_browser.mjs <folder holding node_modules> <chromium> <tavlo_sample_gallery>
import { execFileSync } from 'node:child_process';
import { existsSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const [driver, chromium, sampleGallery] = process.argv.slice(2);
if (!existsSync(chromium))
    process.exit(77);  // Chromium is not installed
const root = mkdtempSync(join(tmpdir(), 'tavlo-viewer-')), one = join(root, 'Una'), paged = join(root, 'Serie');
const films = join(root, 'Film');
const problems = [];
const check = (ok, what) => ok || problems.push(what);
const modules = createRequire(resolve(driver, 'here.js'));
const browser = await modules('puppeteer-core').launch({ executablePath: chromium, args: ['--no-sandbox'] });
try {
    const tab = await browser.newPage();
    tab.on('pageerror', (error) => problems.push(`script error: ${error.message}`));
    const photo = (width, height) => tab.evaluate((w, h) => {  // a JPEG drawn by the browser
        const canvas = Object.assign(document.createElement('canvas'), { width: w, height: h });
        const pen = canvas.getContext('2d');
        pen.fillStyle = '#c33', pen.fillRect(0, 0, w, h), pen.fillStyle = '#33c', pen.fillRect(0, 0, w / 2, h / 2);
        return canvas.toDataURL('image/jpeg').split(',')[1];
    }, width, height);
    const files = { 'IMG_0001.JPG': [1600, 1000], 'Album/IMG_0002.JPG': [900, 1800], 'IMG_0003.JPG': [1200, 800] };
    for (const folder of [one, paged]) {
        for (const [name, [width, height]] of Object.entries(files)) {
            mkdirSync(dirname(join(folder, name)), { recursive: true });
            writeFileSync(join(folder, name), Buffer.from(await photo(width, height), 'base64'));
        }
        writeFileSync(join(folder, 'pagina.htm'), '<p>Pagina</p>');
    }
    writeFileSync(join(paged, 'IMG_0004.JPG'), Buffer.from(await photo(2800, 1400), 'base64'));  // larger than a screen
    mkdirSync(films);
    const ffmpeg = (...args) => execFileSync('ffmpeg', ['-v', 'error', '-f', 'lavfi', '-i', ...args]);
    ffmpeg('testsrc=s=320x240:d=3', '-pix_fmt', 'yuv420p', join(films, 'clip.mp4'));
    ffmpeg('sine=d=3', '-f', 'lavfi', '-i', 'color=c=lime:s=64x64:d=1', '-map', '0', '-map', '1', '-frames:v', '1', '-c:v', 'mjpeg',
           '-disposition:v', 'attached_pic', join(films, 'brano.mp3'));
    ffmpeg('testsrc=s=176x144:d=1', '-c:v', 'mpeg4', join(films, 'vecchio.avi'));
    execFileSync(sampleGallery, [films, '5', '0', 'thumbnails'], { stdio: 'inherit' });
    execFileSync(sampleGallery, [one, '5'], { stdio: 'inherit' });
    execFileSync(sampleGallery, [paged, '5', '10', 'thumbnails'], { stdio: 'inherit' });
    const page = pathToFileURL(join(one, 'TAVLO.HTM')).href;

    const viewer = () => tab.evaluate(() => {  // src: the picture on screen, if any; notice: what stands in its place
        const box = document.querySelector('.visore'), picture = box && box.querySelector('img');
        const focus = document.activeElement, place = focus.getBoundingClientRect();
        return !box ? { open: false } : { open: !box.hidden, src: picture.checkVisibility({ visibilityProperty: true }) ? picture.src : '',
            caption: box.querySelector('[aria-live]').textContent, notice: box.querySelector('.scena').innerText.trim(),
            busy: box.hasAttribute('aria-busy'), hash: location.hash, w: picture.width, h: picture.height,
            nw: picture.naturalWidth, nh: picture.naturalHeight, inside: box.contains(focus),
            focus: `${focus.getAttribute('href')} ${place.top >= 0 && place.bottom <= innerHeight}` };
    });
    const settled = () => tab.waitForFunction(() => !document.querySelector('.visore[aria-busy]'), { timeout: 5000 });
    const closed = async (how, at = page, cell = 'IMG_0001.HTM') => {  // and focus is back on the cell's link, in view
        await tab.waitForFunction(() => document.querySelector('.visore').hidden, { timeout: 5000 });
        const v = await viewer();
        check(tab.url() === at && v.focus === `${cell} true`, `${how} leaves ${tab.url()}, focus on ${v.focus}`);
    };
    const shown = async (name, how) => {  // the viewer shows this photo, whole and undistorted, named in the address
        await settled();
        const [v, [sw, sh]] = [await viewer(), await tab.evaluate(() => [innerWidth, innerHeight])];
        check(v.open && v.caption.startsWith(`Img_${name}.jpg`) && v.src.endsWith(`IMG_${name}.JPG`) && v.inside &&
              v.hash === `#IMG_${name}.HTM`, `${how}: ${JSON.stringify(v)}`);
        check(Math.abs(v.w / v.h - v.nw / v.nh) < 0.02 && v.w <= sw && v.h <= sh && (v.w > sw * 0.9 || v.h > sh * 0.7),
              `${how}: ${v.nw}x${v.nh} shown as ${v.w}x${v.h} in ${sw}x${sh}`);
    };
    const fetched = [];
    tab.on('request', (request) => fetched.push(request.url()));
    await tab.setViewport({ width: 1280, height: 800 });
    await tab.goto(page);
    fetched.length = 0;
    await tab.click('td[valign] a > img[src*="IMG_0002"]');
    await shown('0002', 'a click');  // the last cell: the sub-folder's come last
    await tab.keyboard.press('Home'), await shown('0001', 'Home');
    await tab.keyboard.press('End'), await shown('0002', 'End');
    await tab.keyboard.press('ArrowRight'), await shown('0001', 'the right arrow past the last');
    await tab.click('.visore .succ'), await shown('0003', 'the next button');
    for (let tabs = 4; tabs-- > 0;) await tab.keyboard.press('Tab');
    await tab.keyboard.press('ArrowLeft'), await shown('0001', 'the left arrow after four Tabs');
    const box = () => tab.$eval('.visore img', (picture) => picture.getBoundingClientRect().toJSON());
    const fitted = await box();
    await tab.click('.visore img', { count: 2 });
    const zoomed = await box();
    await tab.mouse.move(640, 400), await tab.mouse.down(), await tab.mouse.move(740, 420, { steps: 4 }), await tab.mouse.up();
    const panned = await box();
    await tab.click('.visore img', { count: 2 });
    check(Math.round(zoomed.width) === 1600 && Math.abs(panned.left - zoomed.left - 100) < 1 && (await box()).width === fitted.width,
          `double click and drag: ${JSON.stringify([fitted, zoomed, panned])}`);
    await shown('0001', 'a drag of the zoomed picture');
    await tab.keyboard.press('Escape'), await closed('Esc');
    check(fetched.every((url) => /IMG_000\d\.JPG$/.test(url)), `fetched: ${fetched}`);
    await tab.click('td[valign] a > img[src*="IMG_0001"]'), await tab.goBack(), await closed('Back');
    await tab.click('td[valign] a > img[src*="IMG_0003"]'), await shown('0003', 'a click');
    await tab.mouse.click(20, 200), await closed('a click on the backdrop', page, 'IMG_0003.HTM');

    const leads = async (selector, options, to, from = page) => {  // a click that must follow the link
        await tab.goto(from);
        await Promise.all([tab.waitForNavigation({ timeout: 5000 }).catch(() => {}), tab.click(selector, options)]);
        check(tab.url().toLowerCase().endsWith(to) && !(await viewer()).open, `${selector} leads to ${tab.url()}, not ${to}`);
    };
    await leads('td[valign] a > img[src="HTM-1A.JPG"]', {}, 'pagina.htm');
    await leads('td[valign] a > img[src*="IMG_0003"]', { button: 'middle' }, 'tavlo.htm');
    await tab.keyboard.down('Shift'), await leads('td[valign] a > img[src*="IMG_0003"]', {}, 'tavlo.htm');
    await tab.keyboard.up('Shift');
    await leads('td[valign] a > img', {}, 'pag_1.htm', pathToFileURL(join(paged, 'TAVLO.HTM')).href);  // cells are pages
    await tab.setJavaScriptEnabled(false), await leads('td[valign] a > img[src*="IMG_0003"]', {}, 'img_0003.htm');
    await tab.setJavaScriptEnabled(true);

    await tab.setViewport({ width: 390, height: 844, isMobile: true, hasTouch: true });
    await tab.goto(page);
    const width = await tab.evaluate(() => document.scrollingElement.scrollWidth);
    check(width <= 390, `a 390-pixel phone scrolls sideways: the page is ${width} pixels wide`);
    await tab.tap('td[valign] a > img[src*="IMG_0002"]'), await shown('0002', 'a tap');
    await tab.touchscreen.touchStart(300, 400), await tab.touchscreen.touchMove(80, 410), await tab.touchscreen.touchEnd();
    await shown('0001', 'a swipe to the left');
    const top = (await box()).top;
    await tab.touchscreen.touchStart(200, 300), await tab.touchscreen.touchMove(200, 500);
    check((await box()).top > top + 150, `the picture stays at ${top} under a finger going down`);
    await tab.touchscreen.touchEnd(), await closed('a swipe down');

    const axe = async (when) => {
        await tab.evaluate(readFileSync(modules.resolve('axe-core/axe.min.js'), 'utf8'));
        const found = await tab.evaluate(async () => (await window.axe.run()).violations
            .filter((rule) => ['critical', 'serious'].includes(rule.impact)).map((rule) => `${rule.id} (${rule.nodes.length})`));
        check(found.length === 0, `axe-core, the viewer ${when}: ${found}`);
    };
    await tab.setViewport({ width: 1280, height: 800 });
    await tab.goto(pathToFileURL(join(films, 'TAVLO.HTM')).href);
    const media = (state) => tab.waitForFunction((wanted) => {  // the viewer's player, once it reaches that state
        const v = document.querySelector('.visore video');
        return v && !v.hidden && v.readyState >= 4 && (wanted === 'playing' ? v.currentTime > 0.2 : v.paused) && {
            src: v.src, poster: v.poster, caption: document.querySelector('.visore [aria-live]').textContent };
    }, { timeout: 5000 }, state).then((handle) => handle.jsonValue());
    await tab.click('td[valign] a > img[data-film="clip.mp4"]');
    const playing = await media('playing');
    check(playing.src.endsWith('/clip.mp4') && playing.poster.includes('/MINIATURE/') && playing.caption.startsWith('Clip.mp4'),
          `a click on a film: ${JSON.stringify(playing)}`);
    await tab.keyboard.press('ArrowLeft');
    const paused = await media('paused');
    check(paused.src.endsWith('/brano.mp3') && paused.poster.includes('/MINIATURE/'), `the sound before it: ${JSON.stringify(paused)}`);
    await tab.keyboard.press('Escape');
    check(await tab.evaluate(() => !document.querySelector('.visore video').hasAttribute('src')), 'the sound stops with the viewer');
    const followed = await tab.evaluate(() => new Promise((resolve) => {  // the link is followed: nothing stops it
        addEventListener('click', (event) => resolve(!event.defaultPrevented) || event.preventDefault(), { once: true });
        document.querySelector('td[valign] a > img[data-film="vecchio.avi"]').click();
    }));
    check(followed && !(await viewer()).open, 'a click on the AVI, which Chromium does not play, follows its link');

    const held = [], series = pathToFileURL(join(paged, 'PAG_1.HTM')).href;
    await tab.setRequestInterception(true);
    tab.on('request', (request) => /IMG_0003\.JPG$/.test(request.url()) ? held.push(request)
        : /IMG_0002\.JPG$/.test(request.url()) ? request.abort() : request.continue());
    await tab.goto(`${series}#IMG_0001.HTM`, { waitUntil: 'domcontentloaded' }), await shown('0001', 'a link to the picture');
    await tab.waitForFunction(() => [...document.images].every((image) => image.complete));  // the thumbnails
    await tab.keyboard.press('ArrowRight');
    const waiting = await viewer();
    check(held.length > 0 && waiting.busy && waiting.caption.startsWith('Img_0003.jpg') && waiting.src.includes('/MINIATURE/'),
          `a picture held back: ${JSON.stringify(waiting)}`);
    held.forEach((request) => request.continue()), await shown('0003', 'a picture held back, once it comes');
    await tab.keyboard.press('ArrowRight'), await settled();
    const large = await viewer(), original = await tab.$eval('.visore .originale', (link) => [link.hidden, link.href]);
    check(/\/MINIATURE\/img_0004-[0-9a-f]{16}-2560\.jpg$/.test(large.src) && large.nw === 2560 && large.nh === 1280 &&
          !original[0] && original[1].endsWith('/IMG_0004.JPG'), `a picture larger than a screen: ${JSON.stringify([large, original])}`);
    await axe('open');
    await tab.keyboard.press('ArrowRight'), await settled();
    const failed = await viewer();
    check(failed.caption.startsWith('Img_0002.jpg') && !failed.src && failed.notice === 'Immagine non disponibile',
          `a picture that cannot be loaded: ${JSON.stringify(failed)}`);
    await tab.keyboard.press('Home'), await shown('0001', 'Home');
    await tab.keyboard.press('Escape'), await closed('Esc after a link to the picture', series), await axe('closed');
} catch (error) {
    problems.push(error.message);
} finally {
    await browser.close();
    rmSync(root, { recursive: true, force: true });
}
console.log(problems.join('\n') || 'the viewer opens, steps, closes and lets links be links; the phone page fits');
process.exit(problems.length === 0 ? 0 : 1);
