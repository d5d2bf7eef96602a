#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora into fuzz/corpus/<target>/.

The message seeds are the frames the message tests spell out
(tests/cardlogic/ClassicMessagesTest.cpp); the file seeds are the program's own
data files and the files the tests write. Each seed is small; run again after
the tests or the data files change (it replaces the folders it writes).
"""
import pathlib
import re
import shutil
import struct

ROOT = pathlib.Path(__file__).resolve().parent.parent
OUT = ROOT / "fuzz" / "corpus"
MAX_SEED = 8192


def num(text):
    return int(text, 0)


def test_frames():
    """The frames of the message test: Message{...} and Bytes(size, {{at, {...}}, ...})."""
    src = (ROOT / "tests/cardlogic/ClassicMessagesTest.cpp").read_text()
    frames = []
    for body in re.findall(r"Message\{([0-9xa-fA-F, ]+)\}", src):
        frames.append(bytes(num(b) & 255 for b in body.split(",")))
    for size, runs in re.findall(r"Bytes\((\d+), \{(.*?)\}\)\)?;", src):
        m = bytearray(int(size))
        for at, values in re.findall(r"\{(\d+), \{([0-9xa-fA-F, ]+)\}\}", runs):
            for i, v in enumerate(values.split(",")):
                if int(at) + i < len(m):
                    m[int(at) + i] = num(v) & 255
        frames.append(bytes(m))
    return frames


def card(suit, value):
    """A card byte: suit in bits 5-6, value 1 (A) .. 13 (K); jokers 16 and 17."""
    return (suit << 5) | value


def classic_view_seeds(test_messages):
    """Steps of the classic view's target: messages (op 0), a hand result (1),
    a re-login snapshot (2), frames (3), notices (4) and the background (5),
    as fuzz/classic_view.cpp reads them."""
    def message(frame):
        return bytes([0, frame[1]]) + struct.pack(">H", len(frame)) + frame

    def result(frame):
        return bytes([1]) + struct.pack(">H", len(frame)) + frame

    def snapshot(frame):
        return bytes([2]) + struct.pack(">H", len(frame)) + frame

    def frames(n):
        return bytes([3, n])

    def notice(which, body):
        return bytes([4, which]) + struct.pack(">H", len(body)) + body

    def background(away):
        """The window goes to the background (away) or comes back."""
        return bytes([5, 0 if away else 1])

    def frame(kind, size):
        m = bytearray(size)
        m[1] = kind
        return m

    # A deal: chair 1 (the own chair) bids first; the cap at 92 is 5000.
    deal = frame(71, 116)
    for chair in range(3):
        for i in range(17):
            deal[8 + 17 * chair + i] = card((chair + i) % 4, 1 + (chair * 17 + i) % 13)
    deal[68], deal[69], deal[70] = 5, card(2, 5), 1
    deal[92:96] = struct.pack(">I", 5000)
    bid_turn = frame(72, 12)
    bid_turn[8], bid_turn[9] = 1, 0
    bid = frame(54, 12)
    bid[8], bid[9] = 1, 3
    landlord = frame(55, 16)
    landlord[8], landlord[9], landlord[10:13] = 1, 3, bytes([16, 17, card(0, 2)])
    play_turn = frame(73, 12)
    play_turn[8] = 1
    hand_result = frame(237, 288)
    for chair in range(3):
        hand_result[12 + 4 * chair:16 + 4 * chair] = struct.pack(">i", 200 if chair == 1 else -100)
        hand_result[52 + 4 * chair:56 + 4 * chair] = struct.pack(">i", 2 if chair == 1 else -1)
    hand_result[280], hand_result[281] = 1, 1
    # A re-login snapshot in the middle of play: chair 0 is the landlord.
    relogin = bytearray(532)
    relogin[33:41] = b"table 7\0"
    for chair in range(3):
        for i in range(17):
            relogin[144 + 20 * chair + i] = card(chair, 3 + i % 11)
        relogin[238 + chair] = 3 if chair == 2 else 1
    relogin[204:210] = bytes([0x21, 0x22, 0x23, 0, 0, 2])
    relogin[212:216] = struct.pack(">I", 60)
    relogin[244:252] = struct.pack(">II", 8000, 10)
    relogin[252], relogin[253] = 0x25, 0x45
    relogin[308:320] = struct.pack(">III", 4, 1, 1)
    # The new-player award (39, kind 3) with a prize at an int's end.
    huge_award = frame(39, 36)
    huge_award[8:12] = struct.pack("<i", 3)
    huge_award[24:36] = struct.pack("<iii", 0, 2000000000, 1)
    hand = [deal, bid_turn, bid, landlord, play_turn]
    # Call-and-rob mode: the settings (mode 1, a table fee), then a deal, a
    # call that doubles, a rob, the landlord, the own play turn and a rocket.
    settings = frame(38, 24)
    settings[8:12] = struct.pack("<i", 200)
    settings[12:16] = struct.pack("<i", 600)  # the web activity's countdown
    settings[16] = 1
    call = frame(54, 12)
    call[8], call[9], call[10] = 1, 4, 2
    rob = frame(54, 12)
    rob[8], rob[9] = 2, 5
    rob_turn = frame(72, 12)
    rob_turn[8], rob_turn[9] = 2, 2
    rob_landlord = frame(55, 16)
    rob_landlord[8], rob_landlord[10:13] = 2, bytes([16, 17, card(0, 2)])
    rocket = frame(56, 36)
    rocket[8], rocket[9], rocket[10], rocket[29] = 0, 144, 177, 2
    call_and_rob = [settings, deal, bid_turn, call, rob_turn, rob, rob_landlord, play_turn, rocket]
    # The notices: a jackpot of kind 4 (big-endian yuanbao at 12) and of kind
    # 7, a red packet of kind 3 (yuanbao at 8, money at 28), a broadcast of
    # kind 1 and a quick-chat phrase.
    jackpot = bytearray(22)
    jackpot[9] = 4
    jackpot[12:16] = struct.pack(">i", 30)
    jackpot[21] = 1
    jackpot_task = bytearray(10)
    jackpot_task[9] = 7
    red_packet = bytearray(32)
    red_packet[8:12] = struct.pack("<i", 5)
    red_packet[12:16] = struct.pack("<i", 3)
    red_packet[28:32] = struct.pack("<i", 250)
    bull = bytearray(209)
    bull[8:13] = b"hello"
    bull[208] = 1
    urge = bytearray(10)
    urge[8], urge[9] = 2, 0
    seeds = {
        "hand": b"".join(message(bytes(f)) + frames(2) for f in hand) + frames(40) + result(bytes(hand_result)) + frames(60),
        "relogin": snapshot(bytes(relogin)) + frames(10) + message(bytes(play_turn)) + frames(10),
        "short": b"".join(message(bytes(f[:len(f) - 1])) for f in hand) + result(bytes(hand_result[:287])),
        "huge_award": message(bytes(huge_award)) + frames(5),
    }
    seeds["call_and_rob"] = b"".join(message(bytes(f)) + frames(2) for f in call_and_rob) + frames(40)
    seeds["notices"] = (message(bytes(deal)) + frames(20) + notice(0, bytes(jackpot)) + frames(10) +
                        notice(0, bytes(jackpot_task)) + notice(1, bytes(red_packet)) + notice(2, bytes(bull)) +
                        notice(3, bytes(urge)) + frames(60))
    seeds["background"] = (message(bytes(settings)) + message(bytes(deal)) + frames(2) + background(True) +
                           frames(5) + background(False) + snapshot(bytes(relogin)) + frames(10))
    # The message tests' frames, one after another on a dealt table.
    seeds["test_frames"] = message(bytes(deal)) + frames(20) + b"".join(message(f) + frames(1) for f in test_messages)
    seeds.update(hostile_hand_seeds(message, frames, deal, 8 + 17, three_seat_landlord(16, 3),
                                    lambda chair, cards: played_frame(56, 36, 8, chair, 9, 20, cards, 29)))
    return seeds


def three_seat_landlord(size, score):
    """The landlord message (55) of the three-seat tables: chair, score, the bottom cards."""
    def build(chair, bottom):
        m = bytearray(size)
        m[1], m[8], m[9] = 55, chair, score
        m[10:10 + len(bottom)] = bytes(bottom)
        return m
    return build


def played_frame(kind, size, chair_at, chair, cards_at, room, cards, count_at=None):
    """A seat's play: the chair, the card bytes (as many as fit), the count."""
    m = bytearray(size)
    m[1], m[chair_at] = kind, chair
    cards = bytes(cards[:room])
    m[cards_at:cards_at + len(cards)] = cards
    if count_at is not None:
        m[count_at] = len(cards)
    return m


def hostile_hand_seeds(message, frames, deal, own_at, landlord, played, bottom_cards=3):
    """What a server may send that no hand holds, on a dealt table: a second
    landlord message (the own seat again, then another seat with other bottom
    cards), plays longer than the seat's hand or naming one card more often
    than the decks hold it, and card bytes whose suit bits name no suit (0xEE,
    0xCF, 0x8E) in the own block of the deal, the bottom cards and a play.
    `deal` is the table's deal, its own block at `own_at`; `landlord(chair,
    bottom)` and `played(chair, cards)` build the table's landlord message and
    play. The own chair is 1; chair 2 plays the other seat."""
    own, other = 1, 2
    bottom = [card(1, 3 + i) for i in range(bottom_cards)]
    other_bottom = [card(3, 3 + i) for i in range(bottom_cards)]
    one_card = [card(2, 5)] * 40
    distinct = [card(s, v) for v in range(1, 14) for s in (2, 3)]
    twice = [card(3, 9), card(2, 9), card(3, 9)]
    three_times = [card(3, 9)] * 3

    def m(frame):
        return message(bytes(frame))

    hand = m(deal) + frames(60) + m(landlord(own, bottom)) + frames(60)
    seeds = {
        "second_landlord": hand + m(landlord(own, bottom)) + frames(60) + m(landlord(other, other_bottom)) + frames(60),
        "long_play": hand + m(played(other, distinct)) + frames(2) + m(played(other, one_card)) + frames(2) +
        m(played(own, one_card)) + frames(2),
        "play_twice": hand + m(played(other, twice)) + frames(2) + m(played(other, three_times)) + frames(2) +
        m(played(own, twice)) + frames(2),
    }
    bad_deal = bytearray(deal)
    bad_deal[own_at:own_at + 3] = bytes([0xEE, 0xCF, 0x8E])
    bad_bottom = [0xEE, card(1, 11), 0xCF] + other_bottom[3:]
    seeds["bad_suits"] = (m(bad_deal) + frames(60) + m(landlord(other, bad_bottom)) + frames(60) +
                          m(played(other, [card(2, 6), 0xEE, 0xCF])) + frames(2) +
                          m(played(other, [0xEE, card(2, 7), 0x8E])) + frames(2))
    return seeds


def wire(type_, body=b""):
    """A frame as it travels on the game-server connection: the type in byte 1,
    the whole length (16-bit little-endian) in bytes 2-3, as docs/PROTOCOL.md
    describes it."""
    size = 8 + len(body)
    return bytes([0, type_, size & 255, size >> 8, 0, 0, 0, 0]) + body


def game_frames_seeds(test_messages):
    """Streams for fuzz/game_frames.cpp: a read size, then frames end to end:
    the game base's login, seats and notices, the classic test frames, and a
    stream broken by a bad length."""
    def i32(v):
        return struct.pack("<i", v)

    def record(user, chair, name=b"p"):
        return (i32(user) + i32(5000) + i32(10) + bytes([chair, 1, 0, 0]) + i32(3) + i32(4) + i32(5)
                + name.ljust(32, b"\0"))

    login = wire(100, i32(0) + i32(3) + i32(1) + bytes([1, 0, 0, 0]) + i32(1700000000) + record(42, 1, b"me"))
    request = wire(1, i32(42) + b"tok".ljust(20, b"\0") + b"V1.0".ljust(32, b"\0") + i32(62) + i32(1)
                   + bytes([0, 0, 0, 0]))
    seats = (wire(101, bytes([1, 0, 0, 0]) + i32(3) + i32(1))
             + b"".join(wire(102, record(41 + c, c) + bytes([1, 0, 0, 0])) for c in range(3)))
    notices = b"".join([
        wire(106, bytes([2, 0, 0, 0])), wire(104, bytes([0, 0, 0, 0])), wire(105, bytes([0, 0, 0, 0])),
        wire(107, bytes([2, 0, 0, 0]) + i32(350)),
        wire(108, i32(12) + i32(0) + b"bye".ljust(128, b"\0") + i32(1)),
        wire(110, b"news".ljust(200, b"\0") + bytes([1, 0, 0, 0])),
        wire(111, bytes([2, 0, 0, 0])), wire(113, bytes([0, 7]) + bytes(14)),
        wire(114, i32(5) + i32(3) + bytes(12) + i32(250)), wire(115, i32(5)),
        wire(116, i32(1) + i32(200)), wire(117, i32(9) + i32(66) + bytes(32) + b"gift".ljust(64, b"\0")),
        wire(118, i32(1) + i32(100)), wire(103, bytes([0, 0, 0, 0])),
    ])
    snapshot = wire(109, bytes(524))
    table = b"".join(wire(f[1], f[8:]) for f in test_messages if len(f) >= 8)
    broken = wire(73, bytes(4)) + bytes([0, 56, 7, 0]) + wire(73, bytes(4))
    return {
        "login_and_seats": bytes([64]) + login + seats,
        "login_split": bytes([1]) + login + seats,
        "request": bytes([5]) + request,
        "notices": bytes([13]) + seats + notices,
        "snapshot": bytes([64]) + seats + snapshot,
        "table": bytes([7]) + seats + table,
        "broken": bytes([3]) + broken,
    }


def small_game_seeds():
    """Inputs of the mini-game's target: the four opening values, then steps
    (as fuzz/small_game.cpp reads them): messages 35 (op 0) and 41 (op 1),
    the start button (2), touches (3) and frames (4)."""
    def message(op, frame):
        return bytes([op]) + struct.pack(">H", len(frame)) + frame

    def frames(n):
        return bytes([4, n])

    def level_data(records, n=None, big=0, size=None):
        m = bytearray(16 + 24 * len(records))
        m[1], m[9] = 41, big
        m[12:16] = struct.pack("<i", len(records) if n is None else n)
        for k, (count, award, outcome, kinds) in enumerate(records):
            at = 16 + 24 * k
            m[at:at + 12] = struct.pack("<iii", count, award, outcome)
            m[at + 12:at + 20] = bytes(kinds)
        return bytes(m if size is None else m[:size])

    opening = struct.pack(">IIII", 3, 100, 10, 5)
    level = (8, 30, 2, [1, 1, 1, 1, 1, 1, 2, 0])
    lose = (8, 0, 1, [1, 1, 3, 4, 1, 1, 2, 0])
    wait_pick = frames(110) + frames(110) + frames(100)
    return {
        "three_levels": opening + bytes([2]) + frames(2) + message(1, level_data([level, lose, level], big=1)) +
        wait_pick * 3 + frames(120),
        "odd_counts": opening + bytes([2]) + message(1, level_data([(7,) + level[1:], (9,) + lose[1:]], n=6)) +
        wait_pick * 2,
        "no_records": opening + bytes([2]) + message(1, level_data([], n=0)) + frames(100),
        "short_data": opening + bytes([2]) + message(1, level_data([level], size=15)) + message(0, bytes(36)),
        "touches": opening + bytes([2]) + message(1, level_data([level])) + frames(110) +
        bytes([3, 2, 0x80, 1, 0x40, 3, 1, 0x90, 0, 0xf0]) + wait_pick,
        "quit": opening + bytes([3, 2, 0x60, 1, 0xb0]) + frames(20),
    }


def sr_view_seeds():
    """Steps of the four-player view's target (the same ops as the classic
    view's, fuzz/sr_view.cpp): a whole hand of the four-player table, a
    re-login in play and a result with fees at the int's end."""
    def message(frame):
        return bytes([0, frame[1]]) + struct.pack(">H", len(frame)) + frame

    def result(frame):
        return bytes([1]) + struct.pack(">H", len(frame)) + frame

    def snapshot(frame):
        return bytes([2]) + struct.pack(">H", len(frame)) + frame

    def frames(n):
        return bytes([3, n])

    def frame(kind, size):
        m = bytearray(size)
        m[1] = kind
        return m

    deal = frame(65, 104)
    own = [card(s, v) for v in range(13, 2, -1) for s in (0, 1)] + [card(s, 2) for s in range(3)]
    deal[8:33] = bytes(own)
    deal[33], deal[34] = 2, card(3, 13)
    deal[40:48] = struct.pack("<ii", 10, 300)
    deal[72:80] = struct.pack("<ii", 7, -7)
    deal[80] = 3
    deal[84:104] = struct.pack("<5i", 1, 2, 3, 4, 2000000000)
    bid_turn = frame(67, 9)
    bid_turn[8] = 1
    bid = frame(50, 13)
    bid[8:12], bid[12] = struct.pack("<i", 3), 1
    landlord = frame(51, 25)
    landlord[8:12], landlord[16] = struct.pack("<i", 3), 1
    landlord[17:25] = bytes([card(2, 3), card(2, 4), 0, card(3, 5), 16, 17, card(2, 1), card(3, 1)])
    prompt = frame(69, 9)
    prompt[8] = 1
    shown = frame(53, 42)
    shown[8:12], shown[41] = bytes([card(0, 9), card(1, 9), 16, 17]), 0
    play_turn = frame(66, 9)
    play_turn[8] = 0
    played = frame(49, 42)
    played[8:12], played[41] = bytes([16, 16, 17, 17]), 0
    passed = frame(49, 42)
    passed[41] = 2
    reward = frame(54, 16)
    reward[8], reward[9], reward[12:16] = 1, 3, struct.pack("<i", 2000000000)
    countdown = frame(38, 16)
    countdown[12:16] = struct.pack("<i", 90)
    count = frame(39, 16)
    count[8:16] = struct.pack("<ii", 1, 2)
    hand_result = frame(237, 212)
    hand_result[12:28] = struct.pack("<4i", -300, 900, -300, -300)
    hand_result[52:68] = struct.pack("<4i", 5, 5, 5, 2147483647)
    hand_result[68:70] = bytes([card(0, 3), card(1, 3)])
    hand_result[200], hand_result[208] = 2, 1
    relogin = frame(109, 332)
    relogin[140:144] = bytes([2, 255, 0, 1])
    relogin[144:169] = bytes(own)
    relogin[177:181] = bytes([25, 25, 20, 25])
    relogin[181:189] = bytes([card(2, 3), 0, card(2, 5), card(2, 6), card(3, 3), card(3, 4), 16, 17])
    relogin[189] = 0
    relogin[190:192], relogin[223] = bytes([card(0, 9), card(1, 9)]), 3
    relogin[234], relogin[235:238] = 1, bytes([card(0, 3), card(1, 3), 16])
    relogin[268], relogin[272:276], relogin[276] = 4, struct.pack("<i", 10), 3
    relogin[280:284] = struct.pack("<i", 300)
    relogin[308] = 5
    hand = b"".join(message(f) for f in (deal,)) + frames(60) + b"".join(
        message(f) for f in (bid_turn, bid, landlord, prompt, shown, play_turn, played, passed, reward))
    def sr_landlord(chair, bottom):
        m = frame(51, 25)
        m[8:12], m[16], m[17:17 + len(bottom)] = struct.pack("<i", 3), chair, bytes(bottom)
        return m

    seeds = hostile_hand_seeds(message, frames, deal, 8, sr_landlord,
                               lambda chair, cards: played_frame(49, 42, 41, chair, 8, 33, cards),
                               bottom_cards=8)
    return seeds | {
        "hand": hand + frames(20) + result(hand_result) + frames(30),
        "activity": message(countdown) + message(count) + message(deal) + frames(63) + result(hand_result),
        "relogin": snapshot(relogin) + frames(10) + message(play_turn) + bytes([5, 0, 3, 5, 5, 1]),
        "short": message(deal[:103]) + message(played[:41]) + result(hand_result[:211]) + snapshot(relogin[:331]),
    }


def compete_seeds():
    """The tournament's readers: replies, records, the match file, the splitter."""
    def put(buf, offset, size, text):
        data = text.encode()
        buf[offset:offset + len(data)] = data[:size]

    ok = b"S" + bytes(60)
    write("compete_replies", "entry", bytes([1]) + ok + struct.pack("<ii", 1, 3))
    write("compete_replies", "short", bytes([1]) + ok + struct.pack("<i", 1) + b"\x02\x00\x00")
    write("compete_replies", "failed", bytes([0]) + b"F" + bytes(60) + struct.pack("<ii", 1, 4))

    user = bytearray(1176)
    struct.pack_into("<iii", user, 0, 0, 1773480000, 5)
    put(user, 12, 64, "0")
    struct.pack_into("<ii", user, 76, 30, 12)
    put(user, 84, 64, "1203")
    struct.pack_into("<i", user, 148, 1773480000)
    put(user, 152, 1024, "101-1;102-2;101-5")
    write("compete_replies", "record", bytes([1]) + ok + bytes(user))
    write("compete_records", "user", struct.pack(">I", 1773480000) + bytes([1]) + bytes(user))

    match = bytearray(1884)
    struct.pack_into("<i", match, 0, 101)
    put(match, 8, 100, "每日免费赛")
    struct.pack_into("<iii", match, 208, 2, 6, 6)
    struct.pack_into("<ii", match, 268, 2, 0)
    put(match, 276, 400, "1-1-1-50;2-3-1-20;4-6-4-5000")
    put(match, 676, 40, "0;0;0;0;0;1000")
    struct.pack_into("<i", match, 716, 17)
    put(match, 720, 100, "1-2000;2-10")
    put(match, 820, 100, "6;3")
    put(match, 920, 40, "2026-01-01 10:00:00")
    struct.pack_into("<ii", match, 960, 30, 10)
    put(match, 984, 400, "2-3-5-1")
    put(match, 1384, 400, "1-1-6-2")
    put(match, 1784, 100, "0-3")
    settings = struct.pack(">IIIII", 6000, 50, 30000, 22, 4) + bytes([1])
    write("compete_records", "match", struct.pack(">I", 1773480000) + bytes([0]) + settings + bytes(match) +
          struct.pack(">I", 3))
    write("compete_match_file", "shipped", (ROOT / "data/compete_matches.conf").read_bytes())
    write("split_string", "list", bytes([1]) + b";" + b"1;2;;3; ")
    write("split_string", "prizes", bytes([1]) + b";" + b"1-1-5-100;2-3-5-50;")
    write("split_string", "long_separator", bytes([2]) + b"--" + b"a--b----c")
    compete_award_seeds(put)


def compete_award_seeds(put):
    """The award certificate: an award message, and prize lines with a rank."""
    msg = bytearray(56)
    msg[1] = 78
    put(msg, 28, 20, "周末赛冠军")
    struct.pack_into("<i", msg, 48, 2)
    write("compete_award", "message", bytes([0]) + bytes(msg))
    write("compete_award", "short_message", bytes([0]) + bytes(msg[:40]))
    line = bytearray(432)
    put(line, 56, 120, "1000游戏币")
    put(line, 184, 120, "20元宝")
    put(line, 312, 120, "3张参赛券")
    write("compete_award", "prize", bytes([1]) + struct.pack(">I", 2) + bytes([1]) + bytes(line) + bytes([0, 1]))


def compete_view_seeds():
    """Steps of the tournament view's target (the op layout of classic_view):
    a whole hand (deal, bidding, landlord, plays, result), re-login snapshots
    before and after the landlord, the background with the deal running, two
    server moves and the award, and the match's frames a byte short."""
    def message(frame):
        return bytes([0, frame[1]]) + struct.pack(">H", len(frame)) + frame

    def frame(kind, size):
        m = bytearray(size)
        m[1] = kind
        return m

    deal = frame(71, 112)
    deal[9], deal[10], deal[11] = card(1, 5), 0, 2
    for chair in range(3):
        for i in range(17):
            deal[35 + 17 * chair + i] = card((chair + i) % 4, 1 + (chair * 17 + i) % 13)
    deal[88:92] = struct.pack(">I", 10)
    deal[96:108] = struct.pack(">III", 100, 200, 300)
    deal[108:112] = struct.pack("<i", 7)
    bid_turn = frame(72, 9)
    bid_turn[8] = 1
    bid = frame(54, 10)
    bid[8], bid[9] = 1, 3
    landlord = frame(55, 13)
    landlord[8], landlord[9], landlord[10:13] = 1, 3, bytes([16, 17, card(0, 2)])
    play_turn = frame(73, 9)
    play_turn[8] = 1
    played = frame(56, 36)
    played[8], played[9], played[10], played[29] = 0, card(2, 9), card(3, 9), 2
    result = frame(237, 104)
    result[8], result[9] = 1, 1
    result[76:88] = struct.pack("<iii", -20, 40, -20)
    snapshot = bytearray(341)
    snapshot[1] = 109
    snapshot[160] = 2
    for chair in range(3):
        for i in range(17):
            snapshot[163 + 20 * chair + i] = card(chair, 3 + i % 11)
        snapshot[257 + chair] = chair
    snapshot[223:227] = bytes([card(0, 1), card(1, 1), card(2, 1), 0xff])
    snapshot[228] = 2
    snapshot[232:236] = struct.pack(">I", 40)
    snapshot[268:272] = struct.pack(">I", 10)
    after_landlord = bytearray(snapshot)
    after_landlord[226], after_landlord[236], after_landlord[256] = 2, card(3, 4), 2
    hand = b"".join(message(f) + bytes([3, 20]) for f in (deal, bid_turn, bid, landlord, play_turn, played))
    move = frame(79, 92)
    move[8], move[12], move[13] = 1, 2, 5
    move[20:28] = struct.pack(">II", 7, 48)
    move[32:36] = struct.pack("<i", 42)
    award = frame(78, 56)
    award[8:28] = struct.pack("<iiiii", 500, 4, 20, 5, 6)
    award[48:56] = struct.pack("<ii", 2, 77)
    seeds = hostile_hand_seeds(message, lambda n: bytes([3, n]), deal, 35 + 17, three_seat_landlord(13, 3),
                               lambda chair, cards: played_frame(56, 36, 8, chair, 9, 20, cards, 29))
    return seeds | {
        "move_and_award": message(move) + bytes([3, 10]) + message(move) + bytes([3, 10]) + message(award) + bytes([3, 20]),
        "match_short": message(move[:91]) + message(award[:55]),
        "hand": hand + bytes([1]) + struct.pack(">H", len(result)) + result + bytes([3, 63, 3, 63]),
        "relogin": bytes([2]) + struct.pack(">H", len(snapshot)) + snapshot + bytes([3, 10]),
        "relogin_landlord": bytes([2]) + struct.pack(">H", len(after_landlord)) + after_landlord + bytes([3, 10]),
        "background": message(deal) + bytes([3, 5, 5, 0, 3, 5, 5, 1, 3, 30]),
        "short": b"".join(message(f[:len(f) - 1]) for f in (deal, bid, landlord, played)),
    }

def step_message(frame):
    """A game message step of the table view targets (fuzz/TableViewSteps.h)."""
    return bytes([0, frame[1]]) + struct.pack(">H", len(frame)) + frame


def step_frames(n):
    """A step of `n` frames of the table view targets."""
    return bytes([3, n])


def blank_frame(kind, size):
    """A message of `size` zero bytes with its type in byte 1."""
    m = bytearray(size)
    m[1] = kind
    return m


def super_view_seeds():
    """Inputs of the Super view's target (fuzz/super_view.cpp): the
    player-count mode byte, then the steps of the classic view's target: the
    table built for a mode, and the hostile frames of a three-seat hand."""
    def mode_message(mode):
        m = blank_frame(61, 12)
        m[8:12] = struct.pack("<i", mode)
        return m

    message, frames = step_message, step_frames
    deal = blank_frame(71, 116)
    for chair in range(3):
        for i in range(17):
            deal[8 + 17 * chair + i] = card((chair + i) % 4, 1 + (chair * 17 + i) % 13)
    deal[64:68] = struct.pack(">I", 40)
    deal[69], deal[70] = card(1, 5), 0
    hostile = hostile_hand_seeds(message, frames, deal, 8 + 17, three_seat_landlord(16, 3),
                                 lambda chair, cards: played_frame(56, 41, 8, chair, 9, 20, cards, 29))
    seeds = {name: bytes([0]) + data for name, data in hostile.items()}  # the three-seat table
    # Mode 1 built (the message's type byte left for the target to write), an
    # empty message of type 0, some frames.
    built = bytearray(mode_message(1))
    built[1] = 0
    seeds["seed1"] = bytes([1, 0, 61]) + struct.pack(">H", len(built)) + built + bytes([0, 0, 0, 0]) + frames(16)
    return seeds


def write(target, name, data):
    folder = OUT / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data[:MAX_SEED])


def main():
    if OUT.exists():
        shutil.rmtree(OUT)
    frames = test_frames()
    for i, f in enumerate(frames):
        write("classic_messages", f"frame{i:02d}", b"\x00" + f)  # mode 0: the readers on the frame

    for name, data in classic_view_seeds(frames).items():
        write("classic_view", name, data)

    for name, data in sr_view_seeds().items():
        write("sr_view", name, data)

    for name, data in compete_view_seeds().items():
        write("compete_view", name, data)

    for name, data in super_view_seeds().items():
        write("super_view", name, data)

    for name, data in game_frames_seeds(frames).items():
        write("game_frames", name, data)

    # The local server: a seed for the deal, then the player's moves (op 4),
    # some arbitrary requests (op 1) and picked plays (op 3) between them.
    for seed in (1, 7, 12345):
        write("single_server", f"moves{seed}", struct.pack(">I", seed) + bytes([4, 1] * 60))
        write("single_server", f"mixed{seed}",
              struct.pack(">I", seed) + bytes([4, 3, 2, 5, 7, 1, 12, 0, 24] + [5, 0, 3, 3, 9, 4, 4, 1] * 20))

    # Hints: a hand, a play to beat and a selection for each engine.
    straight = [card(s % 4, v) for s, v in enumerate(range(3, 8))]
    pairs = [card(0, 5), card(1, 5), card(0, 6), card(1, 6), card(0, 7), card(2, 7)]
    hand = straight + pairs + [card(0, 1), card(1, 1), card(2, 1), card(3, 1), 16, 17]
    for engine in range(3):
        for last in ([card(0, 4)], [card(2, 9), card(3, 9)], []):
            data = bytes([engine | 8, len(hand)] + hand + [len(last)] + last + [2, 0, 5, 3, 1, 1, 0, 0])
            write("hint_engines", f"e{engine}_last{len(last)}", data)

    write("launch_command_line", "offline", b"ddz 127.0.0.1 0 0 0 0 0 offline 0")
    write("launch_command_line", "network", b"C:\\ddz\\ddz.exe 192.168.1.20 8000 3 4 1 1234 token 65538 ./res")
    write("login_record", "record", (ROOT / "data/MbUserLoginData.dat").read_bytes())
    for name in ("base_txt.conf", "server.conf", "ddz_task_info.conf"):
        write("conf_reader", name, (ROOT / "data" / name).read_bytes())
    write("conf_reader", "arrays", b"[layout]\npts[] = 100,200; 300,400\nsize = 20,30\nn = -12\nf = 0.85\n")
    for name in ("compete_game.txt", "superddz_game.txt"):
        write("text_tables", name, (ROOT / "data" / name).read_bytes())
    sheet = re.search(r'kSheet = R"\((.*?)\)";', (ROOT / "tests/platform/engine/ResourceTest.cpp").read_text(), re.S)
    write("sprite_sheet", "sheet.plist", sheet.group(1).encode())
    write("rule_files", "window", b"\x00" + (ROOT / "data/qorvddz_game_rule.conf").read_bytes())
    write("rule_files", "all_rules", b"\x01" + (ROOT / "data/cjddz_all_rule.conf").read_bytes())
    write("rule_files", "entry", "\x023|@|连对|@|两连对\n三对!@相连|@|两对".encode())
    write("setting_conf", "defaults", b"100\n100\n1\n1\n1\n0\n0\n0")
    write("setting_conf", "quiet", b"25\n0\n0\n1\n1\n7\n-3\n2147483647")
    write("setting_conf", "cut", b"25\n60\n0\n1\n1\n")
    store = b"# YndLocalData\nDDZ_SINGLE_GAME_AMOUNT=1200\nDDZ_SINGLE_GAME_WIN_NUM=7\nlobby_if_examine=true\n"
    write("stored_files", "local_store", b"\x00" + store)
    write("stored_files", "local_store_cut", b"\x00" + store[:-6])
    xml = (b'<?xml version="1.0" encoding="UTF-8"?>\n<userDefaultRoot>\n'
           b'    <entry key="SINGAL_GAME_WIN_NUM">7</entry>\n    <entry key="TASK_GUIDE_ANI_SHOW">true</entry>\n'
           b'</userDefaultRoot>\n')
    write("stored_files", "engine_store", b"\x01" + xml)
    write("stored_files", "engine_store_cut", b"\x01" + xml[:-40])
    write("prop_catalogue", "catalogue", (ROOT / "data/com_coco_propinfo.conf").read_bytes())
    # Web replies: a JSON text and a member (first byte odd), or a reply in
    # pieces with its code, status, limit and the caller's capacity.
    for name, member, text in (("token", b"access_token", b'{"access_token":"ACCESS","openid":"o-15"}'),
                               ("msg", b"msg", '{"msg":"\u9886\u53d6\u6210\u529f","code":0}'.encode()),
                               ("number", b"expires_in", b'{"expires_in":7200,"list":[1,2]}')):
        write("web_replies", name, bytes([1, len(member)]) + member + text)
    reply = b"S" + bytes(60) + struct.pack("<ii", 1, 3)
    write("web_replies", "reply_ok", bytes([0, 0, 1, 40, 20, len(reply)]) + reply)
    write("web_replies", "reply_long", bytes([0, 0, 1, 2, 40, 60]) + bytes(60) + bytes([60]) + bytes(60))
    write("web_replies", "reply_status", bytes([0, 0, 0, 0, 0, 1, 244, 8, 8, 3]) + b"S12")
    write("small_game_layout", "shipped", (ROOT / "data/DDZSmallGameUIPos.conf").read_bytes())
    write("small_game_layout", "spill",
          b"[DDZSmallGameUIPos]\ng_ptSidePos[] = 1,2; 3,4; 5,6; 7,8\ng_ptLevelNoPos = 1,1; 2,2; 3,3; 4,4; 5,5; 6,6; 7,7\n"
          b"g_fCardScale = 0.8\ng_ptManPos = 170\n")
    for name, data in small_game_seeds().items():
        write("small_game", name, data)
    compete_seeds()
    write("task_catalogue", "tasks", bytes([40, 34]) + (ROOT / "data/ddz_task_info.conf").read_bytes())
    # Scripts: per call the object, the member, how (0 call, 1 read, 2 call on
    # the class, 3 assign), the argument count, the arguments (kind, value),
    # then whether a frame passes (0: yes). See fuzz/script_bindings.cpp.
    write("script_bindings", "view",
          bytes([0, 26, 0, 2, 1, 20, 9, 5, 0,      # register a handler for key 0
                 0, 7, 3, 1, 11, 2, 0,             # the view's clock slot takes the clock
                 2, 2, 0, 0, 1,                    # the clock is destroyed
                 0, 19, 0, 0, 1,                   # the seat heads are read
                 1, 38, 3, 1, 6, 1, 2, 0,          # the record's bids are assigned
                 0, 18, 0, 2, 11, 3, 1, 9, 0]))    # a seat head at seat 9 is refused


if __name__ == "__main__":
    main()
