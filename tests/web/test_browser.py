#!/usr/bin/env python3
"""Dentivel's page in a headless browser, as a rider uses it: keys, clicks
and taps in; what the browser shows, and what it is handed, out. The same
cases in each engine.

usage: test_browser.py <the page's folder> <folder for screenshots> chromium|firefox|webkitgtk"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from page import ENGINES, ENTER, Server  # noqa: E402

FOLDER = SHOTS = ENGINE = None
WARNING, DEVELOPMENT, CADENCE = 'Avertissement', 'Calcul du développement', 'Fréquence de pédalage'
TABLE = 'Table des developpements. roues de 700, (/) 2.10'


def main_title():
    return 'Dentivel V ' + re.search(r'dentivel-(.+)-web', os.path.abspath(FOLDER)).group(1)


def pdf_text(data):
    with tempfile.NamedTemporaryFile(suffix='.pdf') as pdf:
        pdf.write(data)
        pdf.flush()
        return subprocess.run(['pdftotext', '-layout', pdf.name, '-'], check=True,
                              capture_output=True, text=True).stdout


def pages_and_ink(path):
    """The PDF's page count, and the share of its first page drawn dark."""
    info = subprocess.run(['pdfinfo', path], check=True, capture_output=True, text=True).stdout
    pages = int(re.search(r'^Pages:\s+(\d+)', info, re.M).group(1))
    gray = subprocess.run(['pdftoppm', '-r', '30', '-gray', '-f', '1', '-l', '1', path],
                          check=True, capture_output=True).stdout
    # A binary PGM: "P5", width, height, maximum, then one byte a pixel.
    _, width, height, _, pixels = gray.split(maxsplit=4)
    pixels = pixels[:int(width) * int(height)]
    return pages, sum(1 for value in pixels if value < 128) / len(pixels)


def words(text):
    return ' '.join(text.split())


class Browser(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = Server(FOLDER)

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()

    def start(self, language='fr-FR', phone=False, server=None):
        page = ENGINE((server or self.server).url, language, phone)
        self.addCleanup(page.close)
        return page

    def to_main_window(self, page):
        """The splash, then the warning, each with the Enter key."""
        page.wait(page.front, 'splash')
        page.keys(ENTER)
        page.window(WARNING)
        page.keys(ENTER)
        return page.window(main_title())

    def pdf(self, page, before, name):
        """The PDF the program handed the browser since `before` addresses,
        kept beside the screenshots, as text."""
        opened = page.wait(lambda: page.opened()[before:], 'PDF handed to the browser')
        self.assertTrue(opened[0].startswith('blob:'), opened)
        data = page.blob(opened[0])
        self.assertTrue(data.startswith(b'%PDF'), data[:20])
        os.makedirs(SHOTS, exist_ok=True)
        with open(os.path.join(SHOTS, name + '.pdf'), 'wb') as kept:
            kept.write(data)
        return pdf_text(data)

    def test_splash_to_main_window_by_keys(self):
        page = self.start()
        page.wait(page.front, 'splash')
        page.screenshot(SHOTS, 'splash')
        main = self.to_main_window(page)
        # At the designed size, inside the page.
        self.assertEqual((main['cw'], main['ch']), (570, 370))
        self.assertEqual(page.script('return document.documentElement.lang'), 'fr')

    # What a rider types in each window, and a result read back from the
    # page, for a browser in French and one in English: the decimal
    # separator follows the browser's language.
    EXAMPLES = [
        # opened by, window, [(field, text)], button, closed by, {language: result}
        (None, None, [('Plateau n°1 :', '53'), ('Pignon n° 1 :', '17'),
                      ('Plateau n° 2 :', '39')], 'Calculer', None,
         {'fr-FR': '6,30', 'en-US': '6.30'}),
        (None, None, [('Elévation :', '700'), ('% de pente', '10')], 'V. en montagne', None,
         {'fr-FR': '7,0 Km/h', 'en-US': '7.0 Km/h'}),
        ('En prime...', DEVELOPMENT, [('Plateau :', '53'), ('Pignon :', '11'),
                                      ('Nb de tours de pedaliers :', '10')],
         'Calculer le développement', 'Fermer', {'fr-FR': '101,2 m', 'en-US': '101.2 m'}),
        ('Cadence en Rpm', CADENCE, [('Votre vitesse :', '30'), ('Votre braquet :', '52'),
                                     ('Votre braquet : pignon', '17')], 'Calculer', 'Fermer',
         {'fr-FR': '78 rpm', 'en-US': '78 rpm'}),
    ]

    def test_worked_examples_in_two_languages(self):
        for language in ('fr-FR', 'en-US'):
            page = self.start(language)
            main = self.to_main_window(page)['title']
            for opener, window, inputs, button, closer, results in self.EXAMPLES:
                with self.subTest(language=language, window=window or main, result=results[language]):
                    if opener:
                        page.click(main, opener)
                    title = window or main
                    for label, text in inputs:
                        page.type_in(title, label, text)
                    page.click(title, button)
                    page.wait(lambda: results[language] in page.texts(title),
                              f'{results[language]} in "{title}"', 10)
                    if language == 'fr-FR':
                        page.screenshot(SHOTS, 'development' if window == DEVELOPMENT else 'main')
                    if window:
                        page.click(window, closer)
                        page.gone(window)

    def test_emptied_result_is_emptied_for_a_screen_reader(self):
        page = self.start()
        main = self.to_main_window(page)['title']
        page.type_in(main, 'Elévation :', '700')
        page.type_in(main, '% de pente', '10')
        page.click(main, 'V. en montagne')
        page.wait(lambda: '7,0 Km/h' in page.texts(main), 'the climbing speed', 10)
        # The focus going back into an input of the question empties the
        # speed, on the screen and in what a screen reader reads.
        field = page.field(main, 'Elévation :')
        page.at(field['x'] + field['w'] / 2, field['y'] + field['h'] / 2)
        page.wait(lambda: '7,0 Km/h' not in page.texts(main), 'the speed emptied for a screen reader', 10)

    def test_error_trap_box(self):
        page = self.start()
        main = self.to_main_window(page)['title']
        page.click(main, 'Calculer')
        box = page.window('oubli')
        self.assertTrue(any(t.startswith('Vous avez oublié de saisir une ou plusieurs donnée(s)')
                            for t in page.texts('oubli')), page.texts('oubli'))
        self.assertIn('OK', page.texts('oubli'))
        # Modal: the main window takes no input meanwhile.
        self.assertTrue(next(w for w in page.windows() if w['title'] == main)['blocked'])
        self.assertEqual(page.front()['title'], box['title'])
        page.screenshot(SHOTS, 'message-box')
        page.keys(ENTER)
        page.gone('oubli')
        self.assertFalse(next(w for w in page.windows() if w['title'] == main)['blocked'])

    def test_report_and_table_reach_the_browser_as_pdf(self):
        page = self.start()
        main = self.to_main_window(page)['title']
        page.click(main, 'En prime...')
        for label, text in (('Plateau :', '53'), ('Pignon :', '11'),
                            ('Nb de tours de pedaliers :', '10')):
            page.type_in(DEVELOPMENT, label, text)
        page.click(DEVELOPMENT, 'Calculer le développement')
        page.wait(lambda: '101,2 m' in page.texts(DEVELOPMENT), 'distance', 10)
        page.click(DEVELOPMENT, 'Imprimer')
        report = self.pdf(page, 0, 'report')
        self.assertEqual(words(report), words(
            'Avec le plateau 53 et le pignon 11, votre distance parcourue par un tour de '
            'pédalier est : 10,12 m. Le nombre de tours de pédalier étant 10, la distance '
            'totale est : 101,2 m'))
        print('The report as the browser received it:\n' + report)
        page.click(DEVELOPMENT, 'Fermer')
        page.gone(DEVELOPMENT)

        # The table is printed as the window's picture, on one page with far
        # more drawn on it than the report's two lines, as on the desktop.
        page.click(main, 'Impr. table')
        self.pdf(page, 1, 'table')
        pages, ink = pages_and_ink(os.path.join(SHOTS, 'table.pdf'))
        report_pages, report_ink = pages_and_ink(os.path.join(SHOTS, 'report.pdf'))
        self.assertEqual((pages, report_pages), (1, 1))
        self.assertGreater(ink, 3 * report_ink)

    def test_mail_link_and_calculator(self):
        page = self.start()
        main = self.to_main_window(page)['title']
        page.click(main, 'A propos de')
        about = page.window('À propos de MonApplication')
        # The picture left of "<---  Double-cliquez ici pour m'écrire", which
        # names it for a screen reader.
        named = [p for p in about['parts'] if p['text'].startswith('<---') and p['w'] > 0]
        icon = min(named, key=lambda p: p['x'])
        mailed = lambda: any(u.startswith('mailto:') and '@' in u for u in page.opened())  # noqa: E731
        # On a loaded machine the program may take a double click's second
        # press too late to be one; a rider's browser delivers both at once.
        for _ in range(3):
            page.at(icon['x'] + icon['w'] / 2, icon['y'] + icon['h'] / 2, double=True)
            try:
                page.wait(mailed, 'mail link reaching the browser', 5)
                break
            except AssertionError:
                pass
        self.assertTrue(mailed(), page.opened())
        page.keys(ENTER)
        page.gone('À propos de MonApplication')

        # A page can start no program: the notice, "Désolé" once, and the
        # table closes.
        page.click(main, 'Voir un développement')
        page.window(TABLE)
        page.screenshot(SHOTS, 'table')
        page.click(TABLE, 'Pour les pinailleurs...')
        page.window('Calculatrice')
        page.keys(ENTER)
        page.window('Désolé')
        self.assertIn('Calculatrice Windows non trouvée', [t.strip() for t in page.texts('Désolé')])
        page.keys(ENTER)
        page.gone(TABLE)
        self.assertNotIn('Désolé', [w['title'] for w in page.windows()])

    def test_phone_by_touch(self):
        if not ENGINE.phones:
            self.skipTest(f'{ENGINE.__name__} can be no phone here (an iPhone\'s WebKit is '
                          'Safari, not this desktop engine)')
        page = self.start(phone=True)
        page.wait(page.front, 'splash')
        page.click(page.front()['title'], 'Alors, on ose ?...')
        page.window(WARNING)
        page.click(WARNING, 'Continuer')
        main = page.window(main_title())
        width = page.script('return window.innerWidth')
        self.assertGreaterEqual(main['x'], 0)
        self.assertLessEqual(main['x'] + main['w'], width)
        # A field touched brings up the on-screen keyboard: the browser's
        # focus goes to a text input.
        field = page.field(main['title'], 'Plateau n°1 :')
        page.at(field['x'] + field['w'] / 2, field['y'] + field['h'] / 2)
        page.wait(lambda: page.script(
            'return document.activeElement.tagName') == 'INPUT', 'on-screen keyboard', 5)
        page.keys('53')
        page.type_in(main['title'], 'Pignon n° 1 :', '17')
        page.type_in(main['title'], 'Plateau n° 2 :', '39')
        page.click(main['title'], 'Calculer')
        page.wait(lambda: '6,30' in page.texts(main['title']), 'result', 10)
        page.screenshot(SHOTS, 'phone')

    def test_quitting_hands_the_page_back(self):
        page = self.start()
        page.wait(page.front, 'splash')
        page.keys(ENTER)
        page.click(WARNING, 'Quitter')
        page.wait(lambda: page.script(
            "const s = document.getElementById('status'); return s && s.textContent"),
            'end of the program', 10)
        self.assertEqual(page.script(
            "return document.getElementById('status').textContent"),
            'Dentivel est fermé. Rechargez la page pour le rouvrir.')
        self.assertEqual(page.windows(), [])

    def test_reload_without_network(self):
        server = Server(FOLDER)
        page = self.start(server=server)
        page.wait(page.front, 'splash')
        # Kept once the page has handed its download to the worker.
        page.wait(lambda: page.async_script(
            'caches.keys().then(n => Promise.all(n.map(k => caches.open(k).then(c => c.keys()))))'
            '.then(l => arguments[0](l.flat().some(r => r.url.includes("dentivel.wasm"))))'),
            'the program kept', 30)
        server.stop()
        page.reload()
        page.wait(page.front, 'splash without network')
        page.keys(ENTER)
        page.window(WARNING)

    def test_next_version_replaces_the_kept_one(self):
        # Online, a rider who kept one version gets the next, and the files
        # of the one before are dropped rather than served for ever.
        copy = tempfile.mkdtemp(prefix='dentivel-page-')
        self.addCleanup(shutil.rmtree, copy)
        shutil.copytree(FOLDER, copy, dirs_exist_ok=True)
        server = Server(copy)
        self.addCleanup(server.stop)
        page = self.start(server=server)
        kept = lambda: page.async_script(  # noqa: E731
            'caches.keys().then(arguments[arguments.length - 1])')
        version = main_title().split()[-1]
        page.wait(lambda: kept() == [f'dentivel-{version}'], 'this version kept', 30)
        # Another application of the same origin, whose data an update leaves alone.
        page.async_script(
            "caches.open('other-app').then(c => c.put('/other', new Response('x')))"
            '.then(arguments[arguments.length - 1])')
        worker = os.path.join(copy, 'service-worker.js')
        with open(worker, encoding='utf-8') as text:
            script = text.read().replace(f"'{version}'", f"'{version}.1'")
        with open(worker, 'w', encoding='utf-8') as text:
            text.write(script)
        page.reload()
        page.wait(lambda: sorted(kept()) == [f'dentivel-{version}.1', 'other-app'],
                  'the next version alone beside the other application', 30)
        page.wait(page.front, 'splash of the next version')


def main():
    global FOLDER, SHOTS, ENGINE
    FOLDER, SHOTS, ENGINE = sys.argv[1], sys.argv[2], ENGINES[sys.argv[3]]
    for tool in ENGINE.tools + ('pdftotext', 'pdftoppm', 'pdfinfo'):
        if not shutil.which(tool) and not os.path.isfile(tool):
            print(f'SKIPPED: {tool} is not installed (packaging/setup.sh web installs it)')
            sys.exit(77)
    if ENGINE is ENGINES['webkitgtk'] and not ENGINE.minibrowser():
        print("SKIPPED: WebKitGTK's MiniBrowser is not installed (packaging/setup.sh web installs it)")
        sys.exit(77)
    result = unittest.main(argv=sys.argv[:1] + sys.argv[4:], exit=False, verbosity=2).result
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == '__main__':
    main()
