"""Dentivel's page in Debian's Chromium, headless, driven through Debian's
chromedriver by Selenium, all three from Debian's own archive.

What the helpers read is what the browser shows: the windows' frames and
titles, which Qt draws as page elements, and the accessibility layer Qt
builds from the widgets once a screen reader asks for it (a button in every
window, which a screen reader user presses). Input goes through the
browser as a user's does: key presses to the focused window, clicks and
taps at the place a control is drawn."""

import functools
import http.server
import os
import shutil
import socketserver
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.interaction import POINTER_TOUCH
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

# The windows on the page, front last, as the page draws them: every
# frame's title and place, and the accessible elements Qt made for it.
WINDOWS = """
const host = document.querySelector('#qt-shadow-container');
if (!host || !host.shadowRoot) return [];
return [...host.shadowRoot.querySelectorAll('.qt-window')]
  .filter(w => w.style.display !== 'none' && w.getBoundingClientRect().width > 0)
  .sort((a, b) => (+a.style.zIndex || 0) - (+b.style.zIndex || 0))
  .map(w => {
    const content = w.querySelector('.qt-window-canvas-container').getBoundingClientRect();
    const title = w.querySelector('.window-name');
    const a11y = w.querySelector('.qt-window-a11y-container');
    const parts = a11y ? [...a11y.querySelectorAll('*')].map(e => ({
      tag: e.tagName.toLowerCase(), name: e.getAttribute('name') || '',
      text: (e.tagName === 'INPUT' ? e.value : e.textContent) || e.getAttribute('title') || '',
      x: content.left + (parseFloat(e.style.left) || 0), y: content.top + (parseFloat(e.style.top) || 0),
      w: parseFloat(e.style.width) || 0, h: parseFloat(e.style.height) || 0,
      hidden: e.ariaHidden === 'true' || e.ariaHidden === true})) : [];
    const frame = w.getBoundingClientRect();
    return {title: title ? title.textContent : '', blocked: w.classList.contains('blocked'),
            x: frame.left, y: frame.top,
            w: frame.width, h: frame.height, cx: content.left, cy: content.top,
            cw: content.width, ch: content.height, parts: parts};
  });
"""

# Qt builds its accessibility layer once a screen reader asks for it.
ENABLE_SCREEN_READER = """
const host = document.querySelector('#qt-shadow-container');
const buttons = host ? [...host.shadowRoot.querySelectorAll('button')]
  .filter(b => b.innerText === 'Enable Screen Reader') : [];
buttons.forEach(b => b.click());
return buttons.length;
"""

# Every address the program asks the browser to open, kept as it passes.
WATCH_OPENED = """
if (!window.dentivelOpened) {
  window.dentivelOpened = [];
  const open = window.open;
  window.open = function (...args) { window.dentivelOpened.push(String(args[0])); return open.apply(this, args); };
}
"""

# A blob's bytes, as base64, read back from the page that made it.
READ_BLOB = """
const done = arguments[arguments.length - 1];
fetch(arguments[0]).then(r => r.arrayBuffer()).then(buffer => {
  let text = '';
  new Uint8Array(buffer).forEach(b => text += String.fromCharCode(b));
  done(btoa(text));
}).catch(e => done('error: ' + e));
"""


class _Quiet(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json',
                      '.js': 'text/javascript'}

    def log_message(self, *args):
        pass


class Server:
    """The folder on a port of this machine's loopback; stop() is the
    network going away."""

    def __init__(self, folder, port=0):
        handler = functools.partial(_Quiet, directory=folder)
        socketserver.TCPServer.allow_reuse_address = True
        self.httpd = socketserver.ThreadingTCPServer(('127.0.0.1', port), handler)
        self.httpd.daemon_threads = True
        self.port = self.httpd.server_address[1]
        self.url = f'http://127.0.0.1:{self.port}/'
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class Page:
    """One browser on the served page."""

    def __init__(self, url, language='fr-FR', phone=False):
        self.profile = tempfile.mkdtemp(prefix='dentivel-chromium-')
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic',
                         '--no-first-run', '--disable-background-networking',
                         '--disable-component-update', '--disable-sync',
                         '--disable-dev-shm-usage', f'--lang={language}',
                         f'--user-data-dir={self.profile}', '--window-size=1280,900'):
            options.add_argument(argument)
        options.add_experimental_option('prefs', {'intl.accept_languages': language})
        # What the program writes to the console, kept to explain a failure.
        options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
        if phone:
            options.add_experimental_option('mobileEmulation', {
                'deviceMetrics': {'width': 390, 'height': 844, 'pixelRatio': 3.0, 'touch': True},
                'userAgent': 'Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 '
                             '(KHTML, like Gecko) Chrome/130.0 Mobile Safari/537.36'})
        self.phone = phone
        self.driver = webdriver.Chrome(options=options,
                                       service=webdriver.ChromeService('/usr/bin/chromedriver'))
        self.driver.set_script_timeout(30)
        self.url = url
        self.open()

    def open(self):
        self.driver.get(self.url)
        self.driver.execute_script(WATCH_OPENED)

    def close(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)

    def windows(self):
        return self.driver.execute_script(WINDOWS)

    def wait(self, test, what, timeout=30):
        """The first truthy value of test(), or an AssertionError naming what."""
        end = time.monotonic() + timeout
        while True:
            value = test()
            if value:
                return value
            if time.monotonic() > end:
                raise AssertionError(f'no {what} after {timeout} s; windows: '
                                     f'{[w["title"] for w in self.windows()]}')
            time.sleep(0.1)

    def window(self, title, timeout=30):
        """The window of that title once it shows, its accessible parts in."""
        def found():
            self.driver.execute_script(ENABLE_SCREEN_READER)
            for shown in self.windows():
                if shown['title'] == title and shown['parts']:
                    return shown
            return None
        return self.wait(found, f'window "{title}"', timeout)

    def gone(self, title, timeout=30):
        self.wait(lambda: all(w['title'] != title for w in self.windows()),
                  f'closing of "{title}"', timeout)

    def front(self):
        shown = self.windows()
        return shown[-1] if shown else None

    def part(self, title, text, tag=None):
        """The accessible part of the window with that text (a caption, a
        label's text)."""
        for part in self.window(title)['parts']:
            if part['text'].strip() == text and (tag is None or part['tag'] == tag) and part['w'] > 0:
                return part
        raise AssertionError(f'"{title}" shows no "{text}": '
                             f'{[p["text"] for p in self.window(title)["parts"]]}')

    def field(self, title, label):
        """The text field a label names: a line edit, or the edit of a combo
        box, which comes after the box's own element."""
        parts = self.window(title)['parts']
        inside = lambda inner, outer: (outer['x'] <= inner['x'] + inner['w'] / 2 <= outer['x'] + outer['w']
                                       and outer['y'] <= inner['y'] + inner['h'] / 2 <= outer['y'] + outer['h'])
        for part in parts:
            named = part['name'].strip() == label or part['text'].strip() == label
            if named and part['tag'] == 'input':
                return part
            if named and part['tag'] == 'div' and part['w'] > 0:
                return next(p for p in parts if p['tag'] == 'input' and inside(p, part))
        raise AssertionError(f'"{title}" has no field "{label}"')

    def type_in(self, title, label, text):
        """Clicks into the field, selects what it holds and types over it."""
        part = self.field(title, label)
        self.at(part['x'] + part['w'] / 2, part['y'] + part['h'] / 2)
        ActionChains(self.driver).key_down(Keys.CONTROL).send_keys('a').key_up(Keys.CONTROL).perform()
        self.keys(text)

    def texts(self, title):
        return [part['text'].strip() for part in self.window(title)['parts'] if not part['hidden']]

    def at(self, x, y, double=False):
        """A click, or on a phone a tap, at that point of the page."""
        if self.phone:
            touch = PointerInput(POINTER_TOUCH, 'finger')
            actions = ActionBuilder(self.driver, mouse=touch)
            for _ in range(2 if double else 1):
                actions.pointer_action.move_to_location(int(x), int(y)).pointer_down().pause(0.05).pointer_up()
            actions.perform()
            return
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(int(x), int(y))
        actions.pointer_action.click()
        if double:
            actions.pointer_action.click()
        actions.perform()

    def click(self, title, text, double=False):
        part = self.part(title, text)
        self.at(part['x'] + part['w'] / 2, part['y'] + part['h'] / 2, double)

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def opened(self):
        return self.driver.execute_script('return window.dentivelOpened || []')

    def blob(self, url):
        import base64
        data = self.driver.execute_async_script(READ_BLOB, url)
        if data.startswith('error'):
            raise AssertionError(f'{url}: {data}')
        return base64.b64decode(data)

    def screenshot(self, folder, name):
        os.makedirs(folder, exist_ok=True)
        self.driver.save_screenshot(os.path.join(folder, name + '.png'))
