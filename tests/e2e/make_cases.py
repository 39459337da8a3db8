#!/usr/bin/env python3
"""Builds the end-to-end cases: the answers a user types and everything the
program must produce for them (standard output, standard error, exit status
and every file left in the working directory).

This is an independent model of the program written in plain Python from the
program's published texts, column tables and formulas: exact decimal editing
of binary32 values, correctly rounded powers by high-precision decimals, the
explicit scheme with a rounding to binary32 at every marked place. The worked
values that the user documentation quotes are asserted while the cases are
built, so a case cannot silently drift from them.

Run it from anywhere; it rewrites tests/e2e/cases/.
"""

import math
import os
import shutil
import struct
from decimal import Decimal, localcontext, ROUND_HALF_EVEN
from fractions import Fraction

HERE = os.path.dirname(os.path.abspath(__file__))
CASES = os.path.join(HERE, "cases")

CRLF = "\r\n"


# ---------------------------------------------------------------- binary32

def f32(x):
    """The binary32 value nearest to the double x (ties to even)."""
    try:
        return struct.unpack("<f", struct.pack("<f", x))[0]
    except OverflowError:
        return math.copysign(math.inf, x)


def f32_from_fraction(q):
    """The binary32 value nearest to the exact rational q."""
    if q == 0:
        return 0.0
    sign = -1.0 if q < 0 else 1.0
    q = abs(q)
    e = math.floor(math.log2(q.numerator) - math.log2(q.denominator))
    while Fraction(2) ** e > q:
        e -= 1
    while Fraction(2) ** (e + 1) <= q:
        e += 1
    e = max(e, -126)
    ulp = Fraction(2) ** (e - 23)
    k = q / ulp
    lo = math.floor(k)
    rem = k - lo
    if rem > Fraction(1, 2) or (rem == Fraction(1, 2) and lo % 2 == 1):
        lo += 1
    value = lo * ulp
    if value >= Fraction(2) ** 128:
        return sign * math.inf
    return sign * float(value)


G = f32(9.81)
TWO_THIRDS = struct.unpack("<f", struct.pack("<I", 0x3F2AAAAB))[0]
FOUR_THIRDS = struct.unpack("<f", struct.pack("<I", 0x3FAAAAAB))[0]


def powf(x, y):
    """x**y for binary32 x > 0 and y, correctly rounded to binary32."""
    if math.isnan(x) or math.isnan(y):
        return math.nan
    if x < 0:
        return math.nan
    if x == 0:
        return 0.0 if y > 0 else math.inf
    if math.isinf(x):
        return math.inf if y > 0 else 0.0
    with localcontext() as ctx:
        ctx.prec = 80
        r = (Decimal(y) * Decimal(x).ln()).exp()
    q = Fraction(r)
    return f32_from_fraction(q)


# ---------------------------------------------------------------- editing

def edit_f(value, w, d):
    """Fixed-point field Fw.d of a binary32 value."""
    if math.isnan(value):
        return "NaN".rjust(w) if w >= 3 else "*" * w
    if math.isinf(value):
        sign = "-" if value < 0 else ""
        for word in ("Infinity", "Inf"):
            if len(sign + word) <= w:
                return (sign + word).rjust(w)
        return "*" * w
    q = Decimal(value).quantize(Decimal(1).scaleb(-d), rounding=ROUND_HALF_EVEN)
    negative = q < 0
    digits = format(abs(q), "f")
    integer, _, fraction = digits.partition(".")
    if d == 0:
        fraction = ""
    if integer == "0":
        integer = ""
    text = ("-" if negative else "") + integer + "." + fraction
    if len(text) > w:
        return "*" * w
    if integer == "" and len(text) < w:
        text = ("-" if negative else "") + "0." + fraction
    return text.rjust(w)


def edit_i(value, w):
    text = str(value)
    return "*" * w if len(text) > w else text.rjust(w)


# Spot checks of the editing rules against the published field table.
for item, value, field in [
        ((7, 3), 0.5, "  0.500"), ((7, 3), -0.5, " -0.500"), ((5, 3), -0.5, "-.500"),
        ((4, 3), 0.5, ".500"), ((6, 4), f32(0.025), "0.0250"), ((6, 4), f32(-0.025), "-.0250"),
        ((8, 3), f32(-0.0004), "   0.000"), ((8, 3), -0.0, "   0.000"),
        ((8, 3), f32(2.0005), "   2.000"), ((5, 2), 0.125, " 0.12"), ((5, 2), 0.375, " 0.38"),
        ((6, 3), 0.0625, " 0.062"), ((7, 3), 1234.5, "*******"), ((7, 3), f32(999.9996), "*******"),
        ((8, 3), 5000.0, "5000.000"), ((7, 3), math.inf, "    Inf"), ((8, 3), -math.inf, "    -Inf"),
        ((9, 3), -math.inf, "-Infinity"), ((10, 3), math.inf, "  Infinity"), ((8, 3), math.nan, "     NaN")]:
    assert edit_f(value, *item) == field, (item, value, edit_f(value, *item))


# ---------------------------------------------------------------- relations

def manning(B, m, Jf, n, H):
    """Velocity and discharge of a uniform flow at depth H (doubles)."""
    A = (m * H + B) * H
    P = B + (2 * H) * math.sqrt(m * m + 1)
    R = f32(A / P) if P != 0 else (math.nan if A == 0 else math.copysign(math.inf, A))
    p = powf(R, TWO_THIRDS)
    V = (p * math.sqrt(Jf)) / n if Jf >= 0 else math.nan
    return V, f32(A) * V


def celerity(H):
    return math.sqrt(G * H)


# ---------------------------------------------------------------- the run

class Channel:
    def __init__(self, B, m, Jf, n, hn, LT):
        self.B, self.m, self.Jf, self.n, self.hn, self.LT = map(f32, (B, m, Jf, n, hn, LT))
        V, Qn = manning(self.B, self.m, self.Jf, self.n, self.hn)
        self.Uo, self.Qo = f32(V), f32(Qn)


def inflow(TPEAK, QMAX, TDECAY, T, Qo):
    if TPEAK >= T:
        return (((QMAX - Qo) * T) / TPEAK) + Qo
    if TPEAK < T and TPEAK + TDECAY > T:
        return QMAX - (((T - TPEAK) * (QMAX - Qo)) / TDECAY)
    return Qo


def march(run):
    """Runs the explicit scheme. Returns (rows, end) where end is 'normal',
    'depth' or 'courant'."""
    B, m, Jf, n = run.B, run.m, run.Jf, run.n
    NN, DX, DT = run.NN, run.DX, run.DT
    H = [run.hn] * (NN + 1)
    U = [run.Uo] * (NN + 1)
    Q = [run.Qo] * (NN + 1)
    rows = []
    T = 0.0
    root = math.sqrt(m * m + 1)
    while True:
        k = math.trunc(T / DT)
        if k % run.NFREQ == 0:
            rows.append(row_text(T, [(Q[s], H[s], U[s]) for s in run.NSTAT]))
        S = T + DT
        T = f32(S)
        if S > run.TMAX:
            return rows, "normal"
        Qin = inflow(run.TPEAK, run.QMAX, run.TDECAY, T, run.Qo)
        Hn_, Un_, Qn_ = H[:], U[:], Q[:]
        r = DT / DX
        # upstream
        Hn = H[1] + ((((H[1] - H[2]) * U[1]) + ((U[1] - U[2]) * H[1])) * r)
        Hn_[1] = f32(Hn)
        Qn_[1] = f32(Qin)
        Un_[1] = f32(Qin / ((m * Hn + B) * Hn))
        # interior
        for i in range(2, NN):
            Hn = H[i] + ((r * 0.5) * ((U[i] * (H[i - 1] - H[i + 1])) + (H[i] * (U[i - 1] - U[i + 1]))))
            Hn_[i] = f32(Hn)
            if Hn <= 0:
                return rows, "depth"
            K = f32(((((U[i - 1] - U[i + 1]) * U[i]) + ((H[i - 1] - H[i + 1]) * G)) * r) * 0.5
                    + (U[i] + ((DT * G) * Jf)))
            R = f32((Hn * (m * Hn + B)) / (((2 * Hn) * root) + B))
            F = powf(R, FOUR_THIRDS) / (((n * n) * G) * DT)
            Un = (math.sqrt((4 * K + F) * F) - F) * 0.5
            Un_[i] = f32(Un)
            c = math.sqrt(G * f32(Hn))
            if 4 * DT > DX / (c + abs(Un)):
                return rows, "courant"
            Qn_[i] = f32(Un * (f32(Hn) * f32(m * Hn + B)))
        # downstream
        N = NN
        Hn = H[N] + ((((H[N - 1] - H[N]) * U[N]) + ((U[N - 1] - U[N]) * H[N])) * r)
        Hn_[N] = f32(Hn)
        V, Qn = manning(B, m, Jf, n, Hn)
        Un_[N] = f32(V)
        Qn_[N] = f32(Qn)
        H, U, Q = Hn_, Un_, Qn_


def row_text(T, stations):
    text = "   " + edit_f(T, 10, 2)
    for q, h, u in stations:
        text += "     " + edit_f(q, 10, 3) + " " + edit_f(h, 10, 3) + " " + edit_f(u, 10, 3)
    assert len(text) == 124
    return text + CRLF


# ---------------------------------------------------------------- header page

TEMPLATE = [
    (1, 30, "RESULTS OF COMPUTATION FOR THE UNSTEADY FLOW WITH THE EXPLICIT METHOD", 98),
    (2, 30, "=" * 70, 99),
    (5, 39, "DATA CONCERNING THE CHANNEL AND THE UNIFORM FLOW", 86),
    (6, 39, "-" * 52, 90),
    (7, 2, "CHANNEL WIDTH,          B (m) =                      MANNING COEFFICIENT,     n =", 82),
    (8, 2, "SLOPES OF SIDES,                  m (-) =                      DEPTH FOR UNIFORM FLOW,  hn (m) =", 97),
    (9, 2, "SLOPE OF THE CHANNEL BOTTOM,           Jf (-) =                 TOTAL CHANNEL LENGTH,         LT (m) =", 103),
    (11, 18, "INITIAL DISCHARGE,   Q0 (M3/S) = .XXX                 INITIAL VELOCITY, U0 (m/s) =", 99),
    (12, 37, "CELERITY OF GRAVITY WAVE C0 (m/s) =", 71),
    (14, 54, "TIME TO PEAK,      t' (s) =", 80),
    (15, 2, "DEFINITION OF THE TRIANGULAR HYDROGRAPH :          PEAK DISCHARGE, QMAX (m3/s) =", 81),
    (16, 54, "TIME OF DECAY,   t'' (s) =", 79),
    (18, 2, "NUMBER OF STEPS, NDIV =             LENGTH OF STEPS, DX (m) =                  NUMBER OF NODES, NN=NDIV+1 =", 108),
    (19, 2, "TIME STEP,     DT (s) =             DURATION OF  COMPUTATIONS,   TMAX (s) =                  FREQUENCY OF OUTPUT (  =", 118),
    (21, 30, "STATION 1                            STATION 2                            STATION 3", 112),
    (22, 7, "TIME        NODE NO =         X =               NODE NO =         X =               NODE NO =         X =", 111),
    (23, 9, "T             Q          H          U              Q          H          U              Q          H          U", 119),
    (24, 8, "(s)          (m3/s)      (m)       (m/s)          (m3/s)      (m)       (m/s)          (m3/s)      (m)       (m/s)", 121),
]


def header_page(run):
    lines = [[" "] * 131 for _ in range(24)]
    for line, first, text, last in TEMPLATE:
        assert first + len(text) - 1 == last, (line, first + len(text) - 1, last)
        lines[line - 1][first - 1:last] = list(text)
    # The column letters and units stand where the station rows put them.
    for col in (9, 23, 34, 45, 60, 71, 82, 97, 108, 119):
        assert lines[22][col - 1] != " "
    for col, unit in zip((8, 21, 33, 43, 58, 70, 80, 95, 107, 117),
                         ["(s)"] + ["(m3/s)", "(m)", "(m/s)"] * 3):
        assert "".join(lines[23][col - 1:col - 1 + len(unit)]) == unit

    def x_of(node):
        return f32(float(node - 1) * run.DX)

    fields = [
        (7, 45, edit_f(run.B, 7, 3)), (7, 109, edit_f(run.n, 6, 4)),
        (8, 45, edit_f(run.m, 7, 3)), (8, 109, edit_f(run.hn, 6, 3)),
        (9, 45, edit_f(run.Jf, 8, 5)), (9, 109, edit_f(run.LT, 8, 3)),
        (11, 47, edit_f(run.Qo, 8, 3)), (11, 101, edit_f(run.Uo, 8, 3)),
        (12, 78, edit_f(run.Co, 8, 3)),
        (14, 85, edit_f(run.TPEAK, 9, 2)), (15, 85, edit_f(run.QMAX, 8, 3)),
        (16, 85, edit_f(run.TDECAY, 9, 2)),
        (18, 29, edit_i(run.NN - 1, 3)), (18, 73, edit_f(run.DX, 8, 3)), (18, 120, edit_i(run.NN, 3)),
        (19, 29, edit_f(run.DT, 7, 3)), (19, 73, edit_f(run.TMAX, 11, 3)), (19, 120, edit_i(run.NFREQ, 5)),
        (22, 31, edit_i(run.NSTAT[0], 3)), (22, 43, edit_f(x_of(run.NSTAT[0]), 8, 3)),
        (22, 68, edit_i(run.NSTAT[1], 3)), (22, 80, edit_f(x_of(run.NSTAT[1]), 8, 3)),
        (22, 105, edit_i(run.NSTAT[2], 3)), (22, 117, edit_f(x_of(run.NSTAT[2]), 8, 3)),
    ]
    for line, first, text in fields:
        lines[line - 1][first - 1:first - 1 + len(text)] = list(text)
    return "".join("".join(l) + CRLF for l in lines)


# ---------------------------------------------------------------- dialogue

def lit_len(text, n):
    assert len(text) == n, (text, len(text), n)
    return text


PROMPT_B = lit_len(" WIDTH OF THE CHANNEL ?" + " " * 22 + "B (m) = ", 53)
PROMPT_M = lit_len(" SLOPE OF SIDES OF CROSS SECTION ?" + " " * 11 + "m (-) = ", 53)
PROMPT_JF = lit_len(" CHANNEL SLOPE ?" + " " * 28 + "Jf (-) = ", 53)
PROMPT_N = lit_len(" MANNING COEFFICIENT ?" + " " * 16 + "n (m^-1/3 s) = ", 53)
PROMPT_HN = lit_len(" UNIFORM FLOW DEPTH ?" + " " * 23 + "hn (m) = ", 53)
PROMPT_LT = lit_len(" TOTAL LENGTH OF CHANNEL ?" + " " * 18 + "LT (m) = ", 53)
PROMPT_TPEAK = lit_len(" TIME TO THE PEAK ?" + " " * 10 + "t' (s) = ", 38)
PROMPT_QMAX = lit_len(" PEAK DISCHARGE ?" + " " * 5 + "QMAX (m3/s) = ", 36)
PROMPT_TDECAY = lit_len(" TIME OF DECAY ?" + " " * 7 + "t'' (s) = ", 33)
PROMPT_AGREE = lit_len(" DO YOU AGREE WITH THIS VALUE ? ANSWER O/CR OR N = ", 51)
PROMPT_NDIV = lit_len(" WHAT IS THE NUMBER OF STEPS,  NDIV ? = ", 40)
PROMPT_DT = lit_len(" WHICH IS THE VALUE OF DT (s) ? = ", 34)
PROMPT_TMAX = lit_len(" INPUT THE COMPUTATION TIME, TMAX (s) ? = ", 42)
PROMPT_STATIONS = lit_len(" WRITE THE NUMBERS OF 3 STATIONS IN FREE FOMAT = ", 49)
PROMPT_NFREQ = lit_len(" AT WHICH FREQUENCY DO YOU WANT TO WRITE YOUR RESULTS ? = ", 58)
PROMPT_FILE = lit_len(" NAME OF THE OUTPUT FILE ? = ", 29)


def records(*recs):
    """A block of whole records, each ended by CR LF."""
    return "".join(r + CRLF for r in recs)


class Run:
    pass


class Session:
    """One use of the program: what the user types and what it must show."""

    def __init__(self):
        self.stdin = ""
        self.dialog = ""      # everything written to DIALOG.DAT
        self.console = ""     # everything written to standard output
        self.results = None

    def show(self, text):
        self.console += text
        self.dialog += text

    def type(self, line):
        self.stdin += line + "\n"

    def ask(self, prompt, *answers):
        """A question answered with `answers`: all but the last are
        unreadable, so the prompt comes back for each of them."""
        for answer in answers:
            self.show(prompt)
            self.type(answer)


def begin(s):
    s.show(" " + CRLF + " " + CRLF)
    s.show(records("", "", "  PROGRAM TO CALCULATE UNSTEADY FLOWS IN CHANNELS", "",
                   "           SYSTEM OF UNITS : METRIC", "", ""))
    s.show(records(" DATA CONCERNING THE CHANNEL :",
                   " THE CHANNEL MAY BE TRAPEZOIDAL, RECTANGULAR(m = 0) OR",
                   " TRIANGULAR (B = 0).", "", ""))


def channel_block(s, run):
    s.show(records("", "", " UTILIZING MANNINGS FORMULA ",
                   " THE DISCHARGE FOR THE UNIFORM FLOW IS,  Qo (m3/s) = " + edit_f(run.Qo, 8, 3)))


def hydrograph_block(s):
    s.show(records("", "", "", " READING OF THE DATA CONCERNING THE CONDITIONS AT BOUNDARIES :",
                   " IT ADMITS A TRIANGULAR HYDROGRAPH DEFINED BY THREE PARAMETERS :", ""))


def attention_block(s, run):
    E = f32(run.TPEAK + run.TDECAY)
    s.show(records(" ATTENTION ! ...",
                   " FOR t > (t' + t'') = " + edit_f(E, 10, 3) + " (s), IT IS ASSUMED THAT Q = Qo",
                   "", "", ""))


def division_block(s, run):
    s.show("".join(r + CRLF for r in [
        "", " READING OF DATA CONCERNING THE SPATIAL STEP, DX :",
        lit_len(" THE CHANNEL LENGTH IS" + " " * 30 + "LT (m) = ", 61) + edit_f(run.LT, 7, 2),
        lit_len(" MAXIMUM NUMBER OF STEPS ALLOWED BY THE PROGRAM," + " " * 4 + "MAXDIV = ", 61) + edit_i(100, 3),
        lit_len(" THE MINIMUM VALUE OF DX IS," + " " * 20 + "LT / MAXDIV = ", 62)
        + edit_f(f32(run.LT / 100), 7, 2) + "(m)",
        "", " (Important note! In you want to have more steps modify",
        "  the value of the parameter MAXDIV on the main program)", ""]) + PROMPT_AGREE)


def node_block(s, run):
    s.show(records("", lit_len(" THE VALUE OF DX IS, THEN," + " " * 24 + "LT / NDIV = ", 62)
                   + edit_f(run.DX, 7, 2) + "(m)")
           + lit_len(" THE NUMBER OF NODES IS," + " " * 20 + "NN = NDIV + 1 = ", 60)
           + edit_i(run.NN, 3) + CRLF)


def time_step_block(s, run, DTMAX):
    s.show(records("", "", " READING OF DATA CONCERNING THE TIME STEP, DT :", "",
                   lit_len(" THE DISCHARGE OF UNIFORM FLOW IS," + " " * 17 + "Qo (m3/s) = ", 63) + edit_f(run.Qo, 8, 3),
                   lit_len(" THE FLOW AVERAGED VELOCITY VALUE IS, Uo (m/s) = Q / S" + " " * 6 + "= ", 62) + edit_f(run.Uo, 8, 3),
                   lit_len(" THE CELERITY OF A GRAVITY WAVE IS," + " " * 3 + "Co (m/s) = (g*hn)^0.5 = ", 62) + edit_f(run.Co, 8, 3),
                   "",
                   lit_len(" THE COURANT STABILITY CONDITION SAYS THAT DT < (DX / (ABS(Uo) + Co)", 68),
                   " THE MAXIMUM VALUE OF DT IS: DTMAX= DX / (ABS(Uo) + Co) : " + edit_f(DTMAX, 8, 3) + " s",
                   "", ""))


def station_block(s, run):
    s.show(records("", "", " YOU HAVE " + edit_i(run.NN, 3) + " STATIONS ALONG THE CHANNEL;",
                   " WHERE DO YOU WANT TO HAVE THE RESULTS ?") + PROMPT_STATIONS)


def two_empty(s, prompt):
    s.show(records("", "") + prompt)


STOP_TEXT = {
    "depth": " ERROR ! THE COMPUTED DEPTH IS NEGATIVE !",
    "courant": " ERROR ! THE COURANT CONDITION IS NOT MET",
}


def finish_run(s, run, outfile, pause_line=""):
    """The run after the dialogue: header page, rows and the end text."""
    run.Co = f32(celerity(run.hn))
    rows, end = march(run)
    results = header_page(run) + "".join(rows)
    if end == "normal":
        block = records("", "", " NORMAL TERMINATION OF PROGRAM")
        s.console += block
        results += block
    else:
        block = records(STOP_TEXT[end], " TRY TO RESTART THE PROGRAM USING",
                        " A SMALLER TIME STEP", "", " END OF PROGRAM !", "", "")
        s.console += block + " PRESS RETURN TO FINISH THE PROGRAM." + CRLF
        results += block
        s.type(pause_line)
    s.results = (outfile, results)
    return rows, end


# ---------------------------------------------------------------- writing

def write_case(name, s, status=0, stderr="", files=None, before=None):
    """files: name -> content of every file the directory must hold after
    the run (DIALOG.DAT and the results file are added here)."""
    root = os.path.join(CASES, name)
    shutil.rmtree(root, ignore_errors=True)
    os.makedirs(os.path.join(root, "expected", "files"))
    with open(os.path.join(root, "stdin"), "wb") as f:
        f.write(s.stdin.encode("latin-1"))
    all_files = dict(files or {})
    all_files.setdefault("DIALOG.DAT", s.dialog)
    if s.results:
        all_files[s.results[0]] = s.results[1]
    for fname, content in all_files.items():
        with open(os.path.join(root, "expected", "files", fname), "wb") as f:
            f.write(content.encode("latin-1"))
    for fname, content in (before or {}).items():
        os.makedirs(os.path.join(root, "before"), exist_ok=True)
        with open(os.path.join(root, "before", fname), "wb") as f:
            f.write(content.encode("latin-1"))
    for fname, content in (("stdout", s.console), ("stderr", stderr), ("status", f"{status}\n")):
        with open(os.path.join(root, "expected", fname), "wb") as f:
            f.write(content.encode("latin-1"))


# ---------------------------------------------------------------- the cases

def answer_channel(s, B, m, Jf, n, hn, LT, texts=None):
    """The six channel questions; `texts` may give the typed answers (a list
    of answer lists, unreadable ones first) instead of the plain values."""
    begin(s)
    prompts = (PROMPT_B, PROMPT_M, PROMPT_JF, PROMPT_N, PROMPT_HN, PROMPT_LT)
    values = (B, m, Jf, n, hn, LT)
    for i, prompt in enumerate(prompts):
        typed = texts[i] if texts and texts[i] else [repr_answer(values[i])]
        s.ask(prompt, *typed)
    run = Run()
    ch = Channel(B, m, Jf, n, hn, LT)
    run.__dict__.update(ch.__dict__)
    channel_block(s, run)
    return run


def repr_answer(v):
    return str(v)


def answer_hydrograph(s, run, TPEAK, QMAX, TDECAY):
    hydrograph_block(s)
    s.ask(PROMPT_TPEAK, str(TPEAK))
    s.ask(PROMPT_QMAX, str(QMAX))
    s.ask(PROMPT_TDECAY, str(TDECAY))
    run.TPEAK, run.QMAX, run.TDECAY = f32(TPEAK), f32(QMAX), f32(TDECAY)
    attention_block(s, run)


def preset_division(run):
    run.NDIV, run.NN, run.DX = 100, 101, f32(run.LT / 100)


def answer_division(s, run, answer=""):
    preset_division(run)
    division_block(s, run)
    s.type(answer)


def dtmax_of(run):
    return f32(run.DX / (abs(run.Uo) + celerity(run.hn)))


def show_time_step(s, run):
    run.Co = f32(celerity(run.hn))
    DTMAX = dtmax_of(run)
    time_step_block(s, run, DTMAX)
    return DTMAX


def worked41_dialogue(s, DT, TMAX="7200"):
    run = answer_channel(s, 10, 2, 0.0005, 0.03, 2.5, 5000)
    answer_hydrograph(s, run, 3600, 300, 7200)
    answer_division(s, run)
    show_time_step(s, run)
    s.ask(PROMPT_DT, DT)
    run.DT = f32(float(DT))
    two_empty(s, PROMPT_TMAX)
    s.type(TMAX)
    run.TMAX = f32(float(TMAX))
    station_block(s, run)
    s.type("1 51 101")
    run.NSTAT = (1, 51, 101)
    return run


def case_worked_example_courant():
    s = Session()
    run = worked41_dialogue(s, "5")
    two_empty(s, PROMPT_NFREQ)
    s.type("12")
    run.NFREQ = 12
    two_empty(s, PROMPT_FILE)
    s.type("RESULTS.TXT")
    rows, end = finish_run(s, run, "RESULTS.TXT")
    # The page and its first row as published for this channel.
    page = s.results[1].split(CRLF)
    quoted = {
        7: " CHANNEL WIDTH,          B (m) =             10.000   MANNING COEFFICIENT,     n =                          0.0300",
        8: " SLOPES OF SIDES,                  m (-) =    2.000             DEPTH FOR UNIFORM FLOW,  hn (m) =            2.500",
        9: " SLOPE OF THE CHANNEL BOTTOM,           Jf ( 0.00050             TOTAL CHANNEL LENGTH,         LT (m) =     5000.000",
        11: "                 INITIAL DISCHARGE,   Q0 (M3/S  40.907                 INITIAL VELOCITY, U0 (m/s) =    1.091",
        12: "                                    CELERITY OF GRAVITY WAVE C0 (m/s) =         4.952",
        14: "                                                     TIME TO PEAK,      t' (s) =      3600.00",
        15: " DEFINITION OF THE TRIANGULAR HYDROGRAPH :          PEAK DISCHARGE, QMAX (m3/s) =    300.000",
        16: "                                                     TIME OF DECAY,   t'' (s) =       7200.00",
        18: " NUMBER OF STEPS, NDIV =    100      LENGTH OF STEPS, DX (m) =            50.000NUMBER OF NODES, NN=NDIV+1 =           101",
        19: " TIME STEP,     DT (s) =      5.000  DURATION OF  COMPUTATIONS,   TMAX (   7200.000           FREQUENCY OF OUTPUT (  =    12",
        22: "      TIME        NODE NO =     1   X =      0.000    NODE NO =     51  X =    2500.000   NODE NO =     101 X =     5000.000",
    }
    for line, text in quoted.items():
        assert page[line - 1] == text.ljust(131), (line, page[line - 1])
    assert all(len(page[i]) == 131 for i in range(24))
    assert page[24] == ("         0.00         40.907      2.500      1.091"
                        "         40.907      2.500      1.091         40.907      2.500      1.091")
    assert end == "courant" and len(rows) == 1
    write_case("worked_example_courant_stop", s)


def case_worked_example_normal():
    s = Session()
    run = worked41_dialogue(s, "0.5", TMAX="1800")
    two_empty(s, PROMPT_NFREQ)
    s.type("120")
    run.NFREQ = 120
    two_empty(s, PROMPT_FILE)
    s.type("wave.res")
    rows, end = finish_run(s, run, "wave.res")
    assert end == "normal" and len(rows) == 31, (end, len(rows))
    write_case("worked_example_normal_end", s)


def worked22_dialogue(s, DT_answers, texts=None):
    run = answer_channel(s, 10, 2, 0.001, 0.03, 2, 1000, texts)
    assert edit_f(run.Qo, 8, 3) == "  38.296"
    answer_hydrograph(s, run, 600, 50, 1800)
    answer_division(s, run)
    assert run.DX == 10
    for i, answer in enumerate(DT_answers):
        DTMAX = show_time_step(s, run)
        s.ask(PROMPT_DT, answer)
    assert (edit_f(run.Uo, 8, 3), edit_f(run.Co, 8, 3), edit_f(DTMAX, 8, 3)) == \
        ("   1.368", "   4.429", "   1.725")
    assert DTMAX == f32(1.7249789)
    return run, DTMAX


def case_time_step_block_and_short_run():
    s = Session()
    run, DTMAX = worked22_dialogue(s, ["0.43"])
    run.DT = f32(0.43)
    two_empty(s, PROMPT_TMAX)
    s.type("4.3")
    run.TMAX = f32(4.3)
    station_block(s, run)
    s.type("1,50,101")
    run.NSTAT = (1, 50, 101)
    two_empty(s, PROMPT_NFREQ)
    s.type("1")
    run.NFREQ = 1
    two_empty(s, PROMPT_FILE)
    s.type("out.dat")
    rows, end = finish_run(s, run, "out.dat")
    assert end == "normal"
    write_case("uniform_channel_short_run", s)


def case_courant_stop_with_pause():
    s = Session()
    run, DTMAX = worked22_dialogue(s, ["0.44"])
    run.DT = f32(0.44)
    two_empty(s, PROMPT_TMAX)
    s.type("100")
    run.TMAX = 100.0
    station_block(s, run)
    s.type("1 1 101")
    run.NSTAT = (1, 1, 101)
    two_empty(s, PROMPT_NFREQ)
    s.type("10")
    run.NFREQ = 10
    two_empty(s, PROMPT_FILE)
    s.type("courant.out")
    rows, end = finish_run(s, run, "courant.out", pause_line="anything at all")
    assert end == "courant" and len(rows) == 1
    write_case("courant_stop_with_pause", s)


def case_refusals():
    """Unreadable and refused answers at every kind of question."""
    s = Session()
    texts = [["abc", "5m", "10"], None, ["1.5.2", ".001"], None, ["--5", "2"], ["'1000'", "1000"]]
    run = answer_channel(s, 10, 2, 0.001, 0.03, 2, 1000, texts)
    answer_hydrograph(s, run, 600, 50, 1800)
    preset_division(run)
    # N with NDIV refused three times, then n with an unreadable NDIV and 50.
    for answer, ndivs in (("N", ["0"]), ("n", ["101"]), ("No", ["-5"]), ("n", ["x", "50"])):
        division_block(s, run)
        s.type(answer)
        s.ask(PROMPT_NDIV, *ndivs)
    run.NDIV, run.NN, run.DX = 50, 51, f32(run.LT / 50)
    node_block(s, run)
    # DT: unreadable, then zero, then above DTMAX, then accepted.
    DTMAX = show_time_step(s, run)
    s.ask(PROMPT_DT, "abc", "0")
    show_time_step(s, run)
    s.ask(PROMPT_DT, str(DTMAX * 1.01))
    show_time_step(s, run)
    s.ask(PROMPT_DT, "inf")
    show_time_step(s, run)
    s.ask(PROMPT_DT, "nan")
    show_time_step(s, run)
    s.ask(PROMPT_DT, "0.5")
    run.DT = 0.5
    # TMAX: unreadable, below DT, infinite, then equal to DT... then 5.
    for answer in ("x", "0.4", "Infinity", "5"):
        two_empty(s, PROMPT_TMAX)
        s.type(answer)
    run.TMAX = 5.0
    # Stations: unreadable, zero, beyond NN, then accepted over three lines.
    for answer in ("1 x 51", "0 5 5", "5 5 52"):
        station_block(s, run)
        s.type(answer)
    station_block(s, run)
    s.type("51")
    s.type("")
    s.type("26")
    s.type("1")
    run.NSTAT = (51, 26, 1)
    # NFREQ: unreadable, zero, above TMAX/DT = 10, then 10.
    for answer in ("ten", "0", "11", "10"):
        two_empty(s, PROMPT_NFREQ)
        s.type(answer)
    run.NFREQ = 10
    # Results file: DIALOG.DAT exists, blanks only, missing directory, then
    # a name with leading blanks.
    for answer in ("DIALOG.DAT", "     ", "no/such/dir/out.txt", "   refused.res"):
        two_empty(s, PROMPT_FILE)
        s.type(answer)
    rows, end = finish_run(s, run, "refused.res")
    assert end == "normal"
    write_case("refused_and_repeated_answers", s)


def case_lone_slash_for_dt():
    s = Session()
    run, DTMAX = worked22_dialogue(s, ["/"])
    run.DT = DTMAX
    two_empty(s, PROMPT_TMAX)
    s.type("10")
    run.TMAX = 10.0
    station_block(s, run)
    s.type("2 3 4")
    run.NSTAT = (2, 3, 4)
    two_empty(s, PROMPT_NFREQ)
    s.type("1")
    run.NFREQ = 1
    two_empty(s, PROMPT_FILE)
    s.type("slash.out")
    rows, end = finish_run(s, run, "slash.out")
    assert end == "courant"
    write_case("lone_slash_keeps_dtmax", s)


def case_rectangular_channel():
    s = Session()
    run = answer_channel(s, 5, 0, 0.0005, 0.025, 1.5, 2000)
    assert edit_f(run.Qo, 8, 3) == "   6.426"
    answer_hydrograph(s, run, 300, 20, 900)
    preset_division(run)
    division_block(s, run)
    s.type("n")
    s.ask(PROMPT_NDIV, "20")
    run.NDIV, run.NN, run.DX = 20, 21, f32(run.LT / 20)
    node_block(s, run)
    DTMAX = show_time_step(s, run)
    assert (edit_f(run.Uo, 8, 3), edit_f(run.Co, 8, 3)) == ("   0.857", "   3.836")
    s.ask(PROMPT_DT, "2")
    run.DT = 2.0
    two_empty(s, PROMPT_TMAX)
    s.type("1800")
    run.TMAX = 1800.0
    station_block(s, run)
    s.type("1 11 21")
    run.NSTAT = (1, 11, 21)
    two_empty(s, PROMPT_NFREQ)
    s.type("30")
    run.NFREQ = 30
    two_empty(s, PROMPT_FILE)
    s.type("rect.res")
    rows, end = finish_run(s, run, "rect.res")
    assert end == "normal", end
    write_case("rectangular_channel", s)


END_OF_INPUT = "floodwave: severe (24): end-of-file during read, unit -4, file CONIN$\r\n"


def listing(*calls):
    """The active calls after a report, innermost first, then the program."""
    return "".join("  in " + c + CRLF for c in calls + ("floodwave",))


def case_dialog_dat_exists():
    s = Session()
    s.type("10")
    before = {"DIALOG.DAT": "an old log\r\n"}
    write_case("dialog_dat_already_present", s, status=10,
               stderr="floodwave: severe (10): cannot overwrite existing file, unit 7, file @DIR@/DIALOG.DAT\r\n"
               + listing("OpenNew", "OpenLog", "Dialogue"),
               files=dict(before), before=before)


def case_end_of_input():
    s = Session()
    begin(s)
    run = None
    s.ask(PROMPT_B, "10")
    s.ask(PROMPT_M, "2")
    s.show(PROMPT_JF)
    write_case("end_of_input_mid_dialogue", s, status=24,
               stderr=END_OF_INPUT + listing("ReadFree", "AskNumber", "Dialogue"))


def case_end_of_input_at_pause():
    """The input ends where the run check waits for Return: the stop block
    is already written to both places, and the end of the input is reported."""
    s = Session()
    run, DTMAX = worked22_dialogue(s, ["1"])
    run.DT = 1.0
    two_empty(s, PROMPT_TMAX)
    s.type("100")
    run.TMAX = 100.0
    station_block(s, run)
    s.type("1 2 3")
    run.NSTAT = (1, 2, 3)
    two_empty(s, PROMPT_NFREQ)
    s.type("5")
    run.NFREQ = 5
    two_empty(s, PROMPT_FILE)
    s.type("pause.out")
    rows, end = finish_run(s, run, "pause.out")
    assert end == "courant"
    s.stdin = s.stdin[:-1]  # no line left for the pause
    write_case("end_of_input_at_pause", s, status=24,
               stderr=END_OF_INPUT + listing("ReadFree", "ShowRunStop", "MarchInTime"))


def case_end_of_input_at_text_answer():
    s = Session()
    run = answer_channel(s, 10, 2, 0.001, 0.03, 2, 1000)
    answer_hydrograph(s, run, 600, 50, 1800)
    preset_division(run)
    division_block(s, run)
    write_case("end_of_input_at_text_answer", s, status=24,
               stderr=END_OF_INPUT + listing("ReadLayout", "AskText", "Dialogue"))


def main():
    for build in (case_worked_example_courant, case_worked_example_normal,
                  case_time_step_block_and_short_run, case_courant_stop_with_pause,
                  case_refusals, case_lone_slash_for_dt, case_rectangular_channel,
                  case_dialog_dat_exists, case_end_of_input, case_end_of_input_at_pause,
                  case_end_of_input_at_text_answer):
        build()
        print("built", build.__name__)


if __name__ == "__main__":
    main()
