#!/usr/bin/python3
"""Writes data/rounding.txt: values with a number of decimals and the text the two-step
rounding gives for them, computed from the exact binary value with Python's decimal module
(17 significant digits half away from zero, then N decimals half away from zero)."""
import decimal
import random
import sys

def expected(value, decimals):
    exact = decimal.Decimal(value)
    if exact == 0:
        sig = exact
    else:
        ctx = decimal.Context(prec=17, rounding=decimal.ROUND_HALF_UP, Emax=999999, Emin=-999999)
        sig = ctx.plus(exact)
    ctx = decimal.Context(prec=1000, rounding=decimal.ROUND_HALF_UP, Emax=999999, Emin=-999999)
    fixed = sig.quantize(decimal.Decimal(1).scaleb(-decimals), context=ctx)
    text = format(fixed, 'f')
    if text.startswith('-') and decimal.Decimal(text) == 0:
        text = text[1:]
    return text

def cases():
    for k in range(0, 3001):
        yield k / 1000, 2
    for magnitude in (1, 10, 100, 1000, 10000, 100000, 1000000, 10000000):
        for k in range(0, 10):
            yield -(magnitude + k + 0.005), 2
            yield magnitude + k + 0.005, 2
            yield magnitude * 3 + k + 0.125, 2
    for k in range(-40, 41):
        yield k / 8, 0
        yield k / 8, 1
        yield k / 8, 2
    rng = random.Random(20100105)
    for _ in range(600):
        yield rng.uniform(-1e6, 1e6), rng.randint(0, 6)
    for _ in range(200):
        yield rng.uniform(1, 10) * 10 ** rng.randint(-20, 22), rng.randint(0, 20)
    # Values whose 18-digit form shows a 5 while the exact 18th digit is a 4 (or is an exact 5):
    # only the exact expansion decides these.
    found = 0
    while found < 60:
        value = rng.uniform(1, 10) * 10 ** rng.randint(-3, 6)
        exponent = decimal.Decimal(value).adjusted()
        rounded18 = ('%.17e' % value).split('e')[0].replace('.', '')
        if rounded18[17] == '5':
            found += 1
            yield value, max(0, 16 - exponent)
    yield 1234567890123456.25, 1
    yield -1234567890123456.25, 1
    yield 1234567890123456.75, 1

with open(sys.argv[1], 'w') as out:
    out.write('# value decimals expected\n')
    for value, decimals in cases():
        out.write('%r %d %s\n' % (value, decimals, expected(value, decimals)))
