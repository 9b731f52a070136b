"""Dentivel's page in a headless browser of Debian's own archive: Chromium
through chromedriver and WebKitGTK through WebKitWebDriver, both by
Selenium, and Firefox ESR through WebDriver BiDi, which it speaks itself
(Debian has no geckodriver).

What the helpers read is what the browser shows: the windows' frames and
titles, which Qt draws as page elements, and the accessibility layer Qt
builds from the widgets once a screen reader asks for it (a button in every
window, which a screen reader user presses). Input goes through the
browser as a user's does: W3C input actions, the same in every engine, key
presses to the focused window, clicks and taps at the place a control is
drawn."""

import base64
import glob
import functools
import http.server
import json
import os
import re
import shutil
import socketserver
import subprocess
import tempfile
import threading
import time

ENTER, CONTROL = '\ue007', '\ue009'

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
    """One browser on the served page. An engine gives the primitives
    (navigate, reload, script, async_script, perform, png, quit); the rest
    is the same in every engine."""

    def __init__(self, url, phone):
        self.url, self.phone = url, phone
        self.profile = tempfile.mkdtemp(prefix='dentivel-browser-')

    def open(self):
        self.navigate(self.url)
        self.script(WATCH_OPENED)

    def close(self):
        try:
            self.quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)

    def windows(self):
        return self.script(WINDOWS)

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
            self.script(ENABLE_SCREEN_READER)
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
        box, which comes after the box's own element (and may come a moment
        after the window's other parts)."""
        return self.wait(lambda: self._field(title, label), f'field "{label}" in "{title}"', 10)

    def _field(self, title, label):
        parts = self.window(title)['parts']
        inside = lambda inner, outer: (outer['x'] <= inner['x'] + inner['w'] / 2 <= outer['x'] + outer['w']  # noqa: E731
                                       and outer['y'] <= inner['y'] + inner['h'] / 2 <= outer['y'] + outer['h'])
        for part in parts:
            named = part['name'].strip() == label or part['text'].strip() == label
            if named and part['tag'] == 'input':
                return part
            if named and part['tag'] == 'div' and part['w'] > 0:
                return next((p for p in parts if p['tag'] == 'input' and inside(p, part)), None)
        return None

    def type_in(self, title, label, text):
        """Clicks into the field, selects what it holds and types over it."""
        part = self.field(title, label)
        self.at(part['x'] + part['w'] / 2, part['y'] + part['h'] / 2)
        self.perform([{'type': 'key', 'id': 'keyboard', 'actions': [
            {'type': 'keyDown', 'value': CONTROL}, {'type': 'keyDown', 'value': 'a'},
            {'type': 'keyUp', 'value': 'a'}, {'type': 'keyUp', 'value': CONTROL}]}])
        self.keys(text)

    def texts(self, title):
        return [part['text'].strip() for part in self.window(title)['parts'] if not part['hidden']]

    def at(self, x, y, double=False):
        """A click, or on a phone a tap, at that point of the page."""
        press = [{'type': 'pointerDown', 'button': 0}, {'type': 'pause', 'duration': 50},
                 {'type': 'pointerUp', 'button': 0}]
        kind = 'touch' if self.phone else 'mouse'
        self.perform([{'type': 'pointer', 'id': kind, 'parameters': {'pointerType': kind},
                       'actions': [{'type': 'pointerMove', 'x': int(x), 'y': int(y), 'duration': 0}]
                       + press * (2 if double else 1)}])

    def click(self, title, text, double=False):
        part = self.part(title, text)
        self.at(part['x'] + part['w'] / 2, part['y'] + part['h'] / 2, double)

    def keys(self, *keys):
        actions = []
        for key in ''.join(keys):
            actions += [{'type': 'keyDown', 'value': key}, {'type': 'keyUp', 'value': key}]
        self.perform([{'type': 'key', 'id': 'keyboard', 'actions': actions}])

    def opened(self):
        return self.script('return window.dentivelOpened || []')

    def blob(self, url):
        data = self.async_script(READ_BLOB, url)
        if data.startswith('error'):
            raise AssertionError(f'{url}: {data}')
        return base64.b64decode(data)

    def screenshot(self, folder, name):
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, name + '.png'), 'wb') as picture:
            picture.write(self.png())


class _Selenium(Page):
    """The primitives over a Selenium driver."""

    def start(self, driver):
        self.driver = driver
        self.driver.set_script_timeout(30)
        self.open()

    def navigate(self, url):
        self.driver.get(url)

    def reload(self):
        self.driver.refresh()

    def script(self, body, *args):
        return self.driver.execute_script(body, *args)

    def async_script(self, body, *args):
        return self.driver.execute_async_script(body, *args)

    def perform(self, sources):
        from selenium.webdriver.remote.command import Command
        self.driver.execute(Command.W3C_ACTIONS, {'actions': sources})
        self.driver.execute(Command.W3C_CLEAR_ACTIONS, {})

    def png(self):
        return self.driver.get_screenshot_as_png()

    def quit(self):
        self.driver.quit()


class Chromium(_Selenium):
    tools = ('/usr/bin/chromium', '/usr/bin/chromedriver')
    phones = True

    def __init__(self, url, language='fr-FR', phone=False):
        super().__init__(url, phone)
        from selenium import webdriver
        options = webdriver.ChromeOptions()
        options.binary_location = self.tools[0]
        for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic',
                         '--no-first-run', '--disable-background-networking',
                         '--disable-component-update', '--disable-sync',
                         '--disable-dev-shm-usage', f'--lang={language}',
                         f'--user-data-dir={self.profile}', '--window-size=1280,900'):
            options.add_argument(argument)
        options.add_experimental_option('prefs', {'intl.accept_languages': language})
        if phone:
            options.add_experimental_option('mobileEmulation', {
                'deviceMetrics': {'width': 390, 'height': 844, 'pixelRatio': 3.0, 'touch': True},
                'userAgent': 'Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 '
                             '(KHTML, like Gecko) Chrome/130.0 Mobile Safari/537.36'})
        self.start(webdriver.Chrome(options=options,
                                    service=webdriver.ChromeService(self.tools[1])))


class WebKitGTK(_Selenium):
    """Safari's engine, as Debian builds it for GNOME: WebKitWebDriver
    starts its MiniBrowser, which takes the language from the environment
    and draws on the virtual display the test runs on."""
    tools = ('/usr/bin/WebKitWebDriver', 'localedef', '/usr/share/i18n/locales/fr_FR')
    # WebKitGTK on a desktop reads no viewport setting and gets no touch.
    phones = False

    @staticmethod
    def minibrowser():
        found = [os.path.join(folder, 'MiniBrowser') for folder in
                 sorted(glob.glob('/usr/lib/*/webkit*gtk-*'), reverse=True)]
        return next((path for path in found if os.access(path, os.X_OK)), None)

    def __init__(self, url, language='fr-FR', phone=False):
        super().__init__(url, phone)
        from selenium import webdriver
        options = webdriver.WebKitGTKOptions()
        options.binary_location = self.minibrowser()
        options.add_argument('--automation')
        # WebKit takes the language from the C library's locale, which must
        # exist: made in the profile, so that no system file changes.
        locale = language.replace('-', '_')
        subprocess.run(['localedef', '-i', locale, '-c', '-f', 'UTF-8',
                        os.path.join(self.profile, locale + '.UTF-8')], check=True)
        environment = dict(os.environ, LOCPATH=self.profile, LANG=locale + '.UTF-8', LANGUAGE=locale)
        self.start(webdriver.WebKitGTK(options=options, service=webdriver.WebKitGTKService(
            self.tools[0], env=environment)))
        self.driver.set_window_rect(width=1280, height=900)


class Firefox(Page):
    """Firefox ESR over WebDriver BiDi, on a port it chooses itself."""
    tools = ('/usr/bin/firefox-esr',)
    phones = True

    PREFERENCES = {
        'browser.shell.checkDefaultBrowser': False, 'app.update.disabledForTesting': True,
        'datareporting.policy.dataSubmissionEnabled': False,
        'toolkit.telemetry.reportingpolicy.firstRun': False,
        'browser.startup.homepage_override.mstone': 'ignore',
        'network.captive-portal-service.enabled': False,
        'network.connectivity-service.enabled': False,
        'browser.safebrowsing.update.enabled': False, 'extensions.update.enabled': False,
    }

    def __init__(self, url, language='fr-FR', phone=False):
        super().__init__(url, phone)
        from websockets.sync.client import connect
        preferences = dict(self.PREFERENCES, **{'intl.accept_languages': language})
        if phone:
            # What Firefox's own phone view turns on: the page's viewport
            # setting and touch events.
            # The screen is 390 × 844 at three device pixels a pixel.
            preferences.update({'dom.meta-viewport.enabled': True, 'dom.w3c_touch_events.enabled': 1,
                                'layout.css.devPixelsPerPx': '3.0'})
        with open(os.path.join(self.profile, 'user.js'), 'w', encoding='utf-8') as user:
            for name, value in preferences.items():
                user.write(f'user_pref({json.dumps(name)}, {json.dumps(value)});\n')
        self.process = subprocess.Popen(
            [self.tools[0], '--headless', '--no-remote', '--profile', self.profile,
             '--remote-debugging-port', '0', 'about:blank'],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
            env=dict(os.environ, MOZ_HEADLESS_WIDTH='1170' if phone else '1280',
                     MOZ_HEADLESS_HEIGHT='2532' if phone else '900'))
        address = None
        for line in self.process.stderr:
            found = re.search(r'WebDriver BiDi listening on (ws://\S+)', line)
            if found:
                address = found.group(1)
                break
        if not address:
            raise AssertionError(f'Firefox ended without a WebDriver BiDi address: {self.process.wait()}')
        # Its further messages read, so that a full pipe never stops it.
        threading.Thread(target=self.process.stderr.read, daemon=True).start()
        self.socket = connect(address + '/session', max_size=None)
        self.last = 0
        self.command('session.new', capabilities={})
        self.context = self.command('browsingContext.getTree')['contexts'][0]['context']
        self.open()

    def command(self, method, timeout=60, **params):
        self.last += 1
        self.socket.send(json.dumps({'id': self.last, 'method': method, 'params': params}))
        while True:
            answer = json.loads(self.socket.recv(timeout))
            if answer.get('id') != self.last:
                continue  # an event, which no test subscribed to
            if answer.get('type') == 'error':
                raise AssertionError(f'{method}: {answer.get("error")}: {answer.get("message")}')
            return answer['result']

    @staticmethod
    def value(remote):
        """A script's result, as Selenium would give it."""
        kind, value = remote['type'], remote.get('value')
        if kind in ('array', 'set'):
            return [Firefox.value(item) for item in value]
        if kind in ('object', 'map'):
            return {key if isinstance(key, str) else Firefox.value(key): Firefox.value(item)
                    for key, item in value}
        return value if kind in ('string', 'number', 'boolean') else None

    def call(self, declaration, args):
        result = self.command('script.callFunction', functionDeclaration=declaration,
                              arguments=[{'type': 'string', 'value': a} for a in args],
                              awaitPromise=True, target={'context': self.context},
                              resultOwnership='none')
        if result['type'] == 'exception':
            raise AssertionError(f'script failed: {result["exceptionDetails"].get("text")}')
        return self.value(result['result'])

    def navigate(self, url):
        self.command('browsingContext.navigate', context=self.context, url=url, wait='complete')

    def reload(self):
        self.command('browsingContext.reload', context=self.context, wait='complete')

    def script(self, body, *args):
        return self.call(f'function() {{ {body}\n}}', args)

    def async_script(self, body, *args):
        # Selenium's convention: the last argument is the function to call back.
        return self.call('(...args) => new Promise(done => (function() { ' + body
                         + '\n}).apply(null, [...args, done]))', args)

    def perform(self, sources):
        self.command('input.performActions', context=self.context, actions=sources)
        self.command('input.releaseActions', context=self.context)

    def png(self):
        return base64.b64decode(self.command('browsingContext.captureScreenshot',
                                             context=self.context)['data'])

    def quit(self):
        try:
            self.command('browser.close', timeout=10)
        except Exception:  # noqa: BLE001 - closing a browser that is going away anyway
            pass
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.process.stderr.close()
        self.socket.close()


ENGINES = {'chromium': Chromium, 'firefox': Firefox, 'webkitgtk': WebKitGTK}
