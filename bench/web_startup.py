#!/usr/bin/env python3
"""What a rider waits for in a browser, for each of the page's two builds
(JSPI, and asyncify for browsers without it): the bytes a first visit
moves from a plain static server that compresses nothing, and the time
from navigation to the splash drawn, on a first visit on a mid-range phone
on 4G (10 Mbit/s, 150 ms round trip, the processor slowed four times) and
from the cache without throttling, in headless Chromium on this machine.
A benchmark, not a test: it prints figures and checks nothing.

usage: web_startup.py <the page's folder> [runs]"""

import functools
import gzip
import http.server
import os
import shutil
import socketserver
import statistics
import subprocess
import sys
import tempfile
import threading
import time

from selenium import webdriver

# Set before the page's own scripts run: the moment the first window's
# canvas has a pixel drawn on it, in milliseconds from navigation.
SPLASH_CLOCK = """
window.dentivelSplashDrawn = null;
const look = () => {
  const host = document.querySelector('#qt-shadow-container');
  const canvas = host && host.shadowRoot && host.shadowRoot.querySelector('canvas.qt-window-content');
  if (canvas && canvas.width > 0) {
    const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    for (let i = 3; i < data.length; i += 4) {
      if (data[i]) { window.dentivelSplashDrawn = performance.now(); return; }
    }
  }
  requestAnimationFrame(look);
};
requestAnimationFrame(look);
"""
# A browser without JSPI, as the page sees one: it then takes the asyncify build.
WITHOUT_JSPI = 'delete WebAssembly.Suspending; delete WebAssembly.promising;'
PHONE = {'offline': False, 'latency': 150, 'downloadThroughput': 10e6 / 8,
         'uploadThroughput': 5e6 / 8}


class CountingServer:
    """The folder on loopback, as a plain static server sends it, counting
    the bytes of every response body."""

    def __init__(self, folder):
        server = self
        self.sent = 0

        class Handler(http.server.SimpleHTTPRequestHandler):
            extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                              '.wasm': 'application/wasm', '.js': 'text/javascript'}

            def copyfile(self, source, destination):
                data = source.read()
                server.sent += len(data)
                destination.write(data)

            def log_message(self, *args):
                pass

        self.httpd = socketserver.ThreadingTCPServer(
            ('127.0.0.1', 0), functools.partial(Handler, directory=folder))
        self.httpd.daemon_threads = True
        self.url = f'http://127.0.0.1:{self.httpd.server_address[1]}/'
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


def chromium(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic',
                     '--no-first-run', '--disable-background-networking',
                     '--disable-component-update', '--disable-sync', '--disable-dev-shm-usage',
                     f'--user-data-dir={profile}', '--window-size=1280,900'):
        options.add_argument(argument)
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    return webdriver.Chrome(options=options,
                            service=webdriver.ChromeService('/usr/bin/chromedriver'))


def splash_time(driver, url):
    driver.get(url)
    end = time.monotonic() + 120
    while time.monotonic() < end:
        drawn = driver.execute_script('return window.dentivelSplashDrawn')
        if drawn:
            return drawn
        time.sleep(0.05)
    raise AssertionError('no splash after 120 s')


def visits(folder, build, runs):
    """Bytes of a first visit, and the first-visit and cached times."""
    first, cached, sent = [], [], []
    for _ in range(runs):
        server = CountingServer(folder)
        profile = tempfile.mkdtemp(prefix='dentivel-bench-')
        driver = chromium(profile)
        try:
            clock = SPLASH_CLOCK + (WITHOUT_JSPI if build == 'asyncify' else '')
            driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': clock})
            driver.execute_cdp_cmd('Network.enable', {})
            driver.execute_cdp_cmd('Network.emulateNetworkConditions', PHONE)
            driver.execute_cdp_cmd('Emulation.setCPUThrottlingRate', {'rate': 4})
            first.append(splash_time(driver, server.url))
            # Kept once the worker has the program's files (the page hands
            # them over); the visit's bytes are counted by then.
            end = time.monotonic() + 120
            while not driver.execute_async_script(
                    'caches.keys().then(n => Promise.all(n.map(k => caches.open(k).then(c => c.keys()))))'
                    '.then(l => arguments[0](l.flat().some(r => r.url.includes(".wasm"))))'):
                if time.monotonic() > end:
                    raise AssertionError('the program was not kept')
                time.sleep(0.2)
            sent.append(server.sent)
            driver.execute_cdp_cmd('Network.emulateNetworkConditions',
                                   {'offline': False, 'latency': 0, 'downloadThroughput': -1,
                                    'uploadThroughput': -1})
            driver.execute_cdp_cmd('Emulation.setCPUThrottlingRate', {'rate': 1})
            driver.get('about:blank')
            cached.append(splash_time(driver, server.url))
        finally:
            driver.quit()
            shutil.rmtree(profile, ignore_errors=True)
            server.stop()
    return sent, first, cached


def sizes(folder):
    print(f'{"file":<24}{"bytes":>12}{"gzip -9":>12}{"brotli":>12}')
    for name in sorted(os.listdir(folder)):
        data = open(os.path.join(folder, name), 'rb').read()
        brotli = subprocess.run(['brotli', '-c', '-q', '11'], input=data, capture_output=True,
                                check=True).stdout
        print(f'{name:<24}{len(data):>12}{len(gzip.compress(data, 9)):>12}{len(brotli):>12}')


def main():
    folder = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    sizes(folder)
    median = lambda values: f'median {statistics.median(values):.0f} ({", ".join(f"{v:.0f}" for v in values)})'  # noqa: E731
    for build in ('asyncify',):
        sent, first, cached = visits(folder, build, runs)
        print(f'{build}: first visit from a plain server: {median(sent)} bytes')
        print(f'{build}: splash drawn, first visit on the phone profile: {median(first)} ms')
        print(f'{build}: splash drawn, from the cache: {median(cached)} ms')


if __name__ == '__main__':
    main()
