#!/usr/bin/env python3
"""What a rider waits for in a browser: the bytes a first visit transfers
and the time from navigation to the splash drawn, on a first visit (a new
browser profile) and on a visit from the cache (the same profile again,
with the service worker's copy), in headless Chromium on this machine.
A benchmark, not a test: it prints figures and checks nothing.

usage: web_startup.py <the page's folder> [runs]"""

import gzip
import os
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'web'))
from page import Page, Server  # noqa: E402

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


def compressed_sizes(folder):
    """Each file as a web server would send it compressed, gzip -9 and brotli."""
    rows = []
    for name in sorted(os.listdir(folder)):
        data = open(os.path.join(folder, name), 'rb').read()
        brotli = subprocess.run(['brotli', '-c', '-q', '11'], input=data, capture_output=True,
                                check=True).stdout
        rows.append((name, len(data), len(gzip.compress(data, 9)), len(brotli)))
    return rows


def splash_time(page):
    page.driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': SPLASH_CLOCK})
    page.driver.get(page.url)
    return page.wait(lambda: page.driver.execute_script('return window.dentivelSplashDrawn'),
                     'splash drawn', 60)


def main():
    folder = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    rows = compressed_sizes(folder)
    print(f'{"file":<24}{"bytes":>12}{"gzip -9":>12}{"brotli":>12}')
    for name, raw, gz, br in rows:
        print(f'{name:<24}{raw:>12}{gz:>12}{br:>12}')
    print(f'{"first visit":<24}' + ''.join(f'{sum(r[i] for r in rows):>12}' for i in (1, 2, 3)))

    server = Server(folder)
    first, cached = [], []
    for _ in range(runs):
        page = Page('about:blank')
        page.url = server.url
        try:
            first.append(splash_time(page))
            # The service worker keeps its files once it is active.
            page.wait(lambda: page.driver.execute_script(
                'return navigator.serviceWorker.controller !== null'), 'service worker', 60)
            page.driver.get('about:blank')
            cached.append(splash_time(page))
        finally:
            page.close()
    server.stop()
    print(f'splash drawn, first visit: median {statistics.median(first):.0f} ms '
          f'({", ".join(f"{t:.0f}" for t in first)})')
    print(f'splash drawn, from the cache: median {statistics.median(cached):.0f} ms '
          f'({", ".join(f"{t:.0f}" for t in cached)})')


if __name__ == '__main__':
    main()
