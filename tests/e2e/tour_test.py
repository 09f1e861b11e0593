#!/usr/bin/env python3
"""The picture tour (tools/tour, scripts/tour.sh): twenty pictures, the launcher and the three
setup dialogs in each of the five languages, each the size of its window and none blank; the five
pictures of a window all differ, as their texts do when the language has reached the window.

Usage: tour_test.py SOURCE_FOLDER WINDOWS_BUILD_FOLDER, in the Wine environment of the end-to-end
tests (scripts/lib/wine-env.sh)."""

import os
import sys
from collections import Counter
import tempfile
import unittest

SOURCE, WINDOWS_BUILD = (os.path.abspath(folder) for folder in sys.argv[1:3])
sys.path.insert(0, os.path.join(SOURCE, "tools", "tour"))

from pictures import read_png  # noqa: E402
from tour import LANGUAGES, WINDOWS, Tour  # noqa: E402

BLACK = b"\0\0\0"


class TourTest(unittest.TestCase):
    def test_twenty_pictures_each_of_its_window_in_its_language(self):
        with tempfile.TemporaryDirectory() as output, Tour(WINDOWS_BUILD) as tour:
            tour.take_all(output)
            # Each window's size as the driver reports it, opened once more on its own.
            tour.use_language(0)
            sizes = {}
            for window in WINDOWS:
                with tour.opened(window, 0) as (handle, _):
                    sizes[window.name] = tour.driver.client_size(handle)

            written = sorted(os.path.relpath(os.path.join(folder, name), output)
                             for folder, _, names in os.walk(output) for name in names)
            self.assertEqual(written, sorted(f"{language}/{window.name}.png"
                                             for language in LANGUAGES for window in WINDOWS))
            for window in WINDOWS:
                seen = set()
                for language in LANGUAGES:
                    with self.subTest(window=window.name, language=language):
                        with open(os.path.join(output, language, window.name + ".png"),
                                  "rb") as png:
                            picture = read_png(png.read())
                        self.assertEqual((picture.width, picture.height), sizes[window.name])
                        # The skin's many shades all over, and black texts on top.
                        counts = Counter(row[i:i + 3] for row in picture.rows
                                         for i in range(0, len(row), 3))
                        self.assertGreater(len(counts), 100)
                        self.assertLess(counts.most_common(1)[0][1],
                                        picture.width * picture.height // 2)
                        self.assertGreater(counts[BLACK], 50)
                        seen.add(b"".join(picture.rows))
                self.assertEqual(len(seen), len(LANGUAGES), f"{window.name}: pictures alike")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
