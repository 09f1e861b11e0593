#!/usr/bin/env python3
"""The picture tour (tools/tour, scripts/tour.sh): twenty pictures, the launcher and the three
setup dialogs in each of the five languages, each the size of its window and none blank; the five
pictures of a window all differ, as their texts do when the language has reached the window. Four
more of the English windows at 144 DPI, each half as large again as at 96 and skinned all over as
well.

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
from tour import LANGUAGES, SCALED_FOLDER, WINDOWS, Tour  # noqa: E402

BLACK = b"\0\0\0"


class TourTest(unittest.TestCase):
    def assert_skinned(self, picture):
        """The skin's many shades all over, and black texts on top."""
        counts = Counter(row[i:i + 3] for row in picture.rows for i in range(0, len(row), 3))
        self.assertGreater(len(counts), 100)
        self.assertLess(counts.most_common(1)[0][1], picture.width * picture.height // 2)
        self.assertGreater(counts[BLACK], 50)

    def test_pictures_each_of_its_window_in_its_language_and_at_144_dpi(self):
        with tempfile.TemporaryDirectory() as output, Tour(WINDOWS_BUILD) as tour:
            tour.take_all(output)
            # Each window's size as the driver reports it, opened once more on its own.
            tour.use_language(0)
            sizes = {}
            for window in WINDOWS:
                with tour.opened(window, 0) as (handle, _):
                    sizes[window.name] = tour.driver.client_size(handle)

            def read(folder, window):
                with open(os.path.join(output, folder, window.name + ".png"), "rb") as png:
                    return read_png(png.read())

            written = sorted(os.path.relpath(os.path.join(folder, name), output)
                             for folder, _, names in os.walk(output) for name in names)
            self.assertEqual(written, sorted(f"{folder}/{window.name}.png"
                                             for folder in LANGUAGES + [SCALED_FOLDER]
                                             for window in WINDOWS))
            for window in WINDOWS:
                seen = set()
                for language in LANGUAGES:
                    with self.subTest(window=window.name, language=language):
                        picture = read(language, window)
                        self.assertEqual((picture.width, picture.height), sizes[window.name])
                        self.assert_skinned(picture)
                        seen.add(b"".join(picture.rows))
                self.assertEqual(len(seen), len(LANGUAGES), f"{window.name}: pictures alike")
                with self.subTest(window=window.name, dpi=144):
                    # Fonts round their sizes to whole pixels: 1.3 to 1.6 times as large.
                    scaled, (width, height) = read(SCALED_FOLDER, window), sizes[window.name]
                    self.assertTrue(1.3 * width <= scaled.width <= 1.6 * width, scaled.width)
                    self.assertTrue(1.3 * height <= scaled.height <= 1.6 * height, scaled.height)
                    self.assert_skinned(scaled)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
