#!/usr/bin/env python3
"""Generates the sample contest log samples/zorvan-digi-sample.adi.

A 24-hour ZORVAN DIGITAL contest worked by a station in Moscow (own region MO): RTTY
and BPSK63 on all six bands, following the propagation of the day, with band and mode
changes, Russian stations sending the region their call implies, a few wrong regions,
dupes, stations worked in both modes on one band within three minutes, and QSOs up to
the last minutes of the contest. Worked calls come from the super-check-partial file,
their DXCC entity and continent from the country file, the way the host resolves them.

The seed is fixed: running the script again gives the same log byte for byte.

    python3 samples/make_sample_log.py [--scp FILE] [--cty FILE] [--out FILE]
"""
import argparse
import datetime as dt
import os
import random
import re

SEED = 20240316
OWN_CALL = "R3DZV"
OWN_REGION = "MO"
START = dt.datetime(2024, 3, 16, 12, 0, 0)
END = dt.datetime(2024, 3, 17, 11, 59, 59)
BREAKS = [(dt.datetime(2024, 3, 17, 2, 40), dt.datetime(2024, 3, 17, 3, 55)),
          (dt.datetime(2024, 3, 17, 7, 5), dt.datetime(2024, 3, 17, 7, 30))]

# Region pattern table of the module: a call implies the region of the first pattern
# (digit + letter) that occurs at position 1 or later, rows tried in this order.
REGION_ROWS = [
    ("1A 1B 1F 1L 1M", "SP"), ("1C 1D 1E", "LO"), ("1O", "AR"), ("1Q 1R 1S", "VO"),
    ("1Y 1Z", "MU"), ("1T", "NV"), ("1W 1X", "PS"), ("1K 1N", "KL"), ("1P", "NO"),
    ("2F 2K", "KA"), ("1I 8X 9X", "KO"), ("2Z 3Z 5Z", "BO"), ("2Y 3Y 5Y", "BR"),
    ("2V 3V 5V", "VL"), ("2Q 3Q 5Q 2O 3O 5O 3K 5K", "VR"), ("2U 3U 5U", "IV"),
    ("2X 3X 5X", "KG"), ("2N 3N 5N", "KS"), ("2W 3W 5W", "KU"), ("2G 3G 5G", "LP"),
    ("2A 3A 5A 2B 3B 5B 2C 3C 5C", "MA"), ("2D 3D 5D 2H 3H 5H 3F 5F", "MO"),
    ("2E 3E 5E", "OR"), ("2S 3S 5S", "RA"), ("2L 3L 5L", "SM"), ("2R 3R 5R", "TB"),
    ("2I 3I 5I", "TV"), ("2P 3P 5P", "TL"), ("2M 3M 5M", "YR"), ("6Y 7Y", "AD"),
    ("6W 7W", "DA"), ("6P 7P", "CN"), ("6A 7A 6B 7B 6C 7C 6D 7D", "KR"), ("6K 7K", "RK"),
    ("6R 7R", "SE"), ("6Q 7Q", "IN"), ("6X 7X", "KB"), ("6I 7I", "KM"), ("6E 7E", "KC"),
    ("6J 7J", "SO"), ("6U 7U", "AO"), ("6H 7H 6F 7F 7G 6G 7T 6T", "ST"),
    ("6L 7L 6M 7M 6N 7N", "RO"), ("4A 4B", "VG"), ("2T 3T 5T", "NN"), ("8W 9W", "BA"),
    ("8S 8T 9S 9T", "OB"), ("4S", "MR"), ("4U", "MD"), ("4F 4G", "PE"), ("4P 4Q 4R", "TA"),
    ("8F 8G 9F 9G", "PM"), ("4W", "UD"), ("4H 4I 4K", "SR"), ("4Y 4Z", "CU"),
    ("4C 4D", "SA"), ("4L 4M", "UL"), ("4N 4O", "KI"), ("8Q 8R 9Q 9R", "KN"),
    ("8A 8B 9A 9B", "CB"), ("8C 8D 9C 9D", "SV"), ("8J 9J", "HM"), ("8L 9L", "TN"),
    ("8K 9K", "JN"), ("8Z 9Z", "GA"), ("8U 9U 8V 9V", "KE"), ("8O 9O 8P 9P", "NS"),
    ("8Y 9Y", "AL"), ("8M 8N 9M 9N", "OM"), ("8H 8I 9H 9I", "TO"), ("0O", "BU"),
    ("0Y", "TU"), ("0W", "HA"), ("0U 0V", "ZK"), ("0A 0B 0H", "KK"), ("0R 0S 0T", "IR"),
    ("0Q", "YA"), ("0L 0M 0N", "PK"), ("0C", "HK"), ("0J", "AM"), ("0Z", "KT"),
    ("0I", "MG"), ("0D", "EA"), ("0X", "KJ"), ("0K", "CK"), ("0F 0E", "SL"),
]
VALID_REGIONS = set(r for _, r in REGION_ROWS) | {"AN", "FJ", "JA", "YN", "SH", "MV"}


def region_from_call(call):
    """The region a Russian call implies, or None (special-event, compound, unknown)."""
    if call[:4] == "RI1A":
        return "AN"
    if call[:4] == "RI1F":
        return "FJ"
    if re.match(r"[A-Z][0-9]{2}", call) or re.match(r"[A-Z]{2}[0-9]{2}", call) or call[:2] == "UE":
        return None
    if "/" in call[1:]:
        return None
    for patterns, region in REGION_ROWS:
        for p in patterns.split():
            i = call.find(p)
            if i >= 1:
                return region
    return None


class Cty:
    """Entity and continent of a call from a country file (exact calls, longest prefix)."""

    def __init__(self, path):
        self.prefixes, self.exact, self.longest = {}, {}, 0
        text = open(path, encoding="latin-1").read()
        for record in text.split(";"):
            fields = record.split(":")
            if len(fields) < 9:
                continue
            name, cont, primary = fields[0].strip(), fields[3].strip(), fields[7].strip()
            entity = {"European Russia": "UA", "Asiatic Russia": "UA9",
                      "Kaliningrad": "UA2"}.get(name, primary.lstrip("*"))
            for alias in ":".join(fields[8:]).replace("\n", "").split(","):
                alias = alias.strip()
                if not alias:
                    continue
                m = re.search(r"\{(\w\w)\}", alias)
                c = m.group(1) if m else cont
                key = re.split(r"[\(\[<\{~]", alias)[0]
                if key.startswith("="):
                    self.exact[key[1:]] = (entity, c)
                else:
                    self.prefixes[key] = (entity, c)
                    self.longest = max(self.longest, len(key))

    def resolve(self, call):
        if call in self.exact:
            return self.exact[call]
        for n in range(min(len(call), self.longest), 0, -1):
            if call[:n] in self.prefixes:
                return self.prefixes[call[:n]]
        return None


# Operating plan: band weights by UTC hour, worked-station classes by band.
BAND_BY_HOUR = {}
for hours, weights in [
    (range(12, 14), {"20m": 4, "15m": 4, "10m": 2, "40m": 0.5}),
    (range(14, 16), {"20m": 4, "15m": 2, "40m": 2, "10m": 0.6}),
    (range(16, 18), {"40m": 4, "20m": 3, "80m": 1}),
    (range(18, 21), {"40m": 3, "80m": 4, "160m": 1.5, "20m": 1}),
    (range(21, 24), {"80m": 4, "160m": 3, "40m": 2}),
    (range(0, 2), {"80m": 3, "160m": 3, "40m": 2}),
    (range(2, 5), {"40m": 3, "80m": 3, "160m": 1, "20m": 0.5}),
    (range(5, 7), {"40m": 2, "20m": 4, "15m": 1}),
    (range(7, 10), {"20m": 3, "15m": 4, "10m": 3}),
    (range(10, 12), {"20m": 4, "15m": 3, "10m": 2, "40m": 1}),
]:
    for h in hours:
        BAND_BY_HOUR[h] = weights

LOW = {"RU": 40, "RU9": 8, "RU2": 1.5, "EU": 45, "AS": 3, "NA": 2, "SA": 0.5, "AF": 0.5,
       "OC": 0.3}
CLASSES_BY_BAND = {
    "160m": LOW, "80m": LOW,
    "40m": {"RU": 30, "RU9": 12, "RU2": 1, "EU": 40, "AS": 7, "NA": 6, "SA": 2, "AF": 1,
            "OC": 1},
    "20m": {"RU": 20, "RU9": 15, "RU2": 1, "EU": 38, "AS": 12, "NA": 9, "SA": 2, "AF": 2,
            "OC": 1.5},
}
CLASSES_BY_BAND["15m"] = CLASSES_BY_BAND["10m"] = {
    "RU": 15, "RU9": 15, "RU2": 1, "EU": 30, "AS": 22, "NA": 8, "SA": 3, "AF": 3, "OC": 3}
POOL_SIZES = {"RU": 420, "RU9": 160, "RU2": 12, "EU": 650, "AS": 160, "NA": 130, "SA": 30,
              "AF": 25, "OC": 30}

SEGMENTS = {  # (RTTY kHz range, BPSK63 kHz range)
    "160m": ((1838, 1843), (1838, 1842)), "80m": ((3580, 3600), (3580, 3590)),
    "40m": ((7030, 7045), (7035, 7045)), "20m": ((14080, 14100), (14070, 14080)),
    "15m": ((21080, 21110), (21070, 21085)), "10m": ((28080, 28120), (28070, 28125)),
}


def weighted(rng, weights):
    keys = sorted(weights)
    return rng.choices(keys, [weights[k] for k in keys])[0]


def load_pools(rng, scp, cty):
    by_class = {k: [] for k in POOL_SIZES}
    for line in open(scp, encoding="latin-1"):
        call = line.strip().upper()
        if not call or call.startswith("#") or not re.fullmatch(r"[A-Z0-9]+", call):
            continue
        hit = cty.resolve(call)
        if not hit:
            continue
        entity, cont = hit
        if entity in ("UA", "UA9", "UA2"):
            if region_from_call(call) is None:
                continue
            cls = {"UA": "RU", "UA9": "RU9", "UA2": "RU2"}[entity]
        elif cont in POOL_SIZES:
            cls = cont
        else:
            continue
        by_class[cls].append(call)
    pools = {}
    for cls, size in POOL_SIZES.items():
        calls = sorted(set(by_class[cls]) - {OWN_CALL})
        pools[cls] = rng.sample(calls, min(size, len(calls)))
    return pools


def adif_field(name, value):
    return "<%s:%d>%s" % (name, len(value), value)


def generate(scp, cty_path):
    rng = random.Random(SEED)
    cty = Cty(cty_path)
    pools = load_pools(rng, scp, cty)
    # Busy stations are worked more often: a long-tailed preference inside each pool.
    pool_weights = {c: [1.0 / (i + 1) ** 0.7 for i in range(len(p))] for c, p in pools.items()}
    serial = {}          # last serial number each station sent
    worked = set()       # (call, band, mode)
    qsos = []
    t = START
    band, mode = None, None
    while t < END:
        for b0, b1 in BREAKS:
            if b0 <= t < b1:
                t = b1
        weights = BAND_BY_HOUR[t.hour]
        new_band = weighted(rng, weights)
        new_mode = "RTTY" if rng.random() < 0.58 else "BPSK63"
        # Same band, other mode: now and then the first station of the new mode is one
        # just worked in the old mode (the module then warns to wait three minutes).
        if band == new_band and mode != new_mode and qsos and rng.random() < 0.7:
            last = qsos[-1]
            if (new_band, new_mode) and (last["call"], new_band, new_mode) not in worked:
                t2 = t + dt.timedelta(seconds=rng.randint(40, 150))
                qsos.append(make_qso(rng, last["call"], last["cls"], t2, new_band, new_mode,
                                     None, serial))
                worked.add((last["call"], new_band, new_mode))
                t = t2
        band, mode = new_band, new_mode
        running = rng.random() < 0.6
        lo, hi = SEGMENTS[band][0 if mode == "RTTY" else 1]
        run_freq = rng.uniform(lo, hi)
        period_end = t + dt.timedelta(minutes=rng.uniform(4, 32))
        rate = rng.uniform(0.8, 2.3) * (0.75 if mode == "BPSK63" else 1.0)  # QSOs a minute
        while t < period_end and t < END:
            t += dt.timedelta(seconds=max(18, rng.expovariate(rate / 60.0)))
            if t >= END or any(b0 <= t < b1 for b0, b1 in BREAKS):
                break
            freq = run_freq if running else rng.uniform(lo, hi)
            if qsos and rng.random() < 0.018:
                # A dupe: a station already in the log on this band and mode calls again.
                earlier = [q for q in qsos[-400:] if q["band"] == band and q["mode"] == mode
                           and t - q["time"] > dt.timedelta(minutes=5)]
                if earlier:
                    d = rng.choice(earlier)
                    qsos.append(make_qso(rng, d["call"], d["cls"], t, band, mode, freq, serial))
                    continue
            for _ in range(40):
                cls = weighted(rng, CLASSES_BY_BAND[band])
                call = rng.choices(pools[cls], pool_weights[cls])[0]
                if (call, band, mode) not in worked:
                    break
            else:
                continue
            worked.add((call, band, mode))
            qsos.append(make_qso(rng, call, cls, t, band, mode, freq, serial))
    return qsos


def make_qso(rng, call, cls, t, band, mode, freq_khz, serial):
    if freq_khz is None:
        lo, hi = SEGMENTS[band][0 if mode == "RTTY" else 1]
        freq_khz = rng.uniform(lo, hi)
    if cls.startswith("RU"):
        exch = region_from_call(call)
        r = rng.random()
        if r < 0.008:
            exch = rng.choice(["599", "RR", "M0", "001"])   # not a region code at all
        elif r < 0.02:
            exch = rng.choice(sorted(VALID_REGIONS - {exch}))  # a code, but not this call's
    else:
        minutes = (t - START).total_seconds() / 60.0
        base = serial.get(call, 0)
        guess = int(minutes * rng.uniform(0.4, 1.3)) + 1
        serial[call] = max(base + 1, min(guess, 9999))
        exch = str(serial[call])
    return {"call": call, "cls": cls, "time": t.replace(microsecond=0), "band": band,
            "mode": mode, "freq": "%.4f" % (freq_khz / 1000.0), "exch": exch}


def write_adif(qsos, path):
    lines = [
        "ZORVAN DIGITAL contest sample log: %s, 24 hours, RTTY and BPSK63" % OWN_CALL,
        "Generated by samples/make_sample_log.py (fixed seed %d); do not edit by hand." % SEED,
        adif_field("ADIF_VER", "3.1.4") + " " + adif_field("PROGRAMID", "make_sample_log.py") +
        " " + adif_field("CREATED_TIMESTAMP", "20240317 120000"),
        "<EOH>",
        "",
    ]
    for q in qsos:
        mode = [adif_field("MODE", "RTTY")] if q["mode"] == "RTTY" else \
            [adif_field("MODE", "PSK"), adif_field("SUBMODE", "PSK63")]
        fields = [adif_field("CALL", q["call"]),
                  adif_field("QSO_DATE", q["time"].strftime("%Y%m%d")),
                  adif_field("TIME_ON", q["time"].strftime("%H%M%S")),
                  adif_field("BAND", q["band"]), adif_field("FREQ", q["freq"])] + mode + [
                  adif_field("RST_SENT", "599"), adif_field("RST_RCVD", "599"),
                  adif_field("STX_STRING", OWN_REGION), adif_field("SRX_STRING", q["exch"]),
                  adif_field("STATION_CALLSIGN", OWN_CALL),
                  adif_field("CONTEST_ID", "ZORVAN-DIGI"), "<EOR>"]
        lines.append(" ".join(fields))
    with open(path, "w", newline="\r\n", encoding="ascii") as f:
        f.write("\n".join(lines) + "\n")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--scp", default="/usr/share/hamradio-files/MASTER.SCP")
    ap.add_argument("--cty", default="/usr/share/hamradio-files/cty.dat")
    ap.add_argument("--out", default=os.path.join(here, "zorvan-digi-sample.adi"))
    args = ap.parse_args()
    qsos = generate(args.scp, args.cty)
    write_adif(qsos, args.out)
    print("%s: %d QSOs" % (args.out, len(qsos)))
    for what, n in sorted(tally(qsos).items()):
        print("  %-36s %d" % (what, n))


def tally(qsos):
    """What the log holds of each case the sample is meant to show."""
    seen, out = {}, {}

    def add(what, n=1):
        out[what] = out.get(what, 0) + n

    for i, q in enumerate(qsos):
        add("QSOs on %s %s" % (q["band"], q["mode"]))
        key = (q["call"], q["band"], q["mode"])
        if key in seen:
            add("dupes")
        seen[key] = q
        other = (q["call"], q["band"], "BPSK63" if q["mode"] == "RTTY" else "RTTY")
        if other in seen and (q["time"] - seen[other]["time"]) < dt.timedelta(minutes=3):
            add("other mode within 3 minutes")
        if q["cls"].startswith("RU"):
            add("Russian stations")
            if q["exch"] not in VALID_REGIONS:
                add("Russian, not a region code")
            elif q["exch"] != region_from_call(q["call"]):
                add("Russian, region not the call's")
        if i and qsos[i - 1]["band"] != q["band"]:
            add("band changes")
        if END - q["time"] < dt.timedelta(hours=1):
            add("QSOs in the last hour")
        if END - q["time"] < dt.timedelta(minutes=10):
            add("QSOs in the last 10 minutes")
    return out


if __name__ == "__main__":
    main()
