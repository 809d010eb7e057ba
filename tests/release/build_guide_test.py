#!/usr/bin/env python3
"""The guide builder: pictures embedded, missing ones left out or refused, version filled."""
import base64
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "scripts"))
import build_guide  # noqa: E402

SOURCE = """<p>version @VERSION@</p>
<figure data-shot="region_en">
<img src="shots/region_en.png" alt="x">
<figcaption>Region</figcaption>
</figure>
<figure data-shot="control_en" data-pending>
<img src="shots/control_en.png" alt="y">
</figure>
<p>end</p>
"""
PNG = b"\x89PNG\r\n\x1a\nfake"


class BuildGuide(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        with open(os.path.join(self.dir.name, "region_en.png"), "wb") as f:
            f.write(PNG)

    def tearDown(self):
        self.dir.cleanup()

    def test_present_pictures_are_embedded_and_pending_ones_left_out(self):
        html, missing, errors = build_guide.build(SOURCE, self.dir.name, "1.2.3")
        self.assertEqual(errors, [])
        self.assertEqual(missing, ["control_en"])
        self.assertIn('src="data:image/png;base64,%s"' % base64.b64encode(PNG).decode(), html)
        self.assertIn("<figcaption>Region</figcaption>", html)
        self.assertNotIn("control_en", html)
        self.assertNotIn("shots/", html)
        self.assertIn("<p>version 1.2.3</p>", html)
        self.assertTrue(html.rstrip().endswith("<p>end</p>"))

    def test_a_pending_picture_slots_in_once_it_exists(self):
        with open(os.path.join(self.dir.name, "control_en.png"), "wb") as f:
            f.write(PNG)
        html, missing, errors = build_guide.build(SOURCE, self.dir.name, "1")
        self.assertEqual((missing, errors), ([], []))
        self.assertEqual(html.count("data:image/png;base64,"), 2)

    def test_a_missing_picture_that_is_not_pending_is_an_error(self):
        os.remove(os.path.join(self.dir.name, "region_en.png"))
        _, _, errors = build_guide.build(SOURCE, self.dir.name, "1")
        self.assertEqual(len(errors), 1)
        self.assertIn("region_en.png is missing", errors[0])

    def test_without_pictures_every_figure_is_left_out(self):
        html, missing, errors = build_guide.build(SOURCE, "", "1", pictures=False)
        self.assertEqual(errors, [])
        self.assertEqual(sorted(missing), ["control_en", "region_en"])
        self.assertNotIn("<figure", html)

    def test_a_figure_showing_another_picture_or_a_stray_picture_is_an_error(self):
        bad = SOURCE.replace('src="shots/region_en.png"', 'src="shots/region_ru.png"')
        _, _, errors = build_guide.build(bad, self.dir.name, "1")
        self.assertTrue(any("does not show shots/region_en.png" in e for e in errors), errors)
        stray = SOURCE + '<img src="shots/loose.png">'
        _, _, errors = build_guide.build(stray, self.dir.name, "1")
        self.assertTrue(any("outside a <figure" in e for e in errors), errors)


if __name__ == "__main__":
    unittest.main()
