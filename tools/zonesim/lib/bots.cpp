#include "bots.h"

#include <array>

namespace zonesim {

namespace {

constexpr std::array kNames = {
    "Mira",        "Tobin",  "Kestrel",    "Juno",      "Ada Lane", "Rook", "Pip",       "Vega",
    "Solenne",     "Marek",  "Ilse",       "Bram",      "Noor",     "Cato", "Fen",       "Odile",
    "Wren",        "Tamsin", "Yusuf",      "Lio",       "Greta",    "Haru", "Elan",      "Saffi",
    "Dax",         "Ines",   "Quill",      "Rhea",      "Teo",      "Zora", "Night Owl", "Bex",
    "Captain Fig", "Nils",   "Maple Jack", "old sport", "Orla",     "Piet", "Sunny D",   "Kai-7",
};

constexpr std::array kSquads = {"Lanterns", "Quiet Storm", "Blue Harbor", "Night Shift"};

constexpr std::array kPublic = {
    "hi all, good to see you",
    "anyone up for a 2v2 later?",
    "gg everyone, that was close",
    "nice shot!",
    "the league schedule is up at www.example.org",
    "new map notes: http://example.com/path/maps?id=7",
    "brb, getting tea",
    "lol",
    "welcome back :)",
    "who wants to practise on freq 1?",
    "does anyone know a good guide? try https://example.net/guide",
    "Caf\xe9 break, back in 5",
    "time: 12:30 here, 13:30 there",
    "that bounty is huge",
    "thanks for the game!",
    "see www.example.org/events for tonight",
};

constexpr std::array kMacro = {
    "*** Join the friendly cup this weekend: www.example.org/cup ***",
    ">>> Practice night every Tuesday <<<",
    "-= Squad Lanterns is recruiting =-",
};

constexpr std::array kPrivate = {
    "hey, want to team up?",
    "thanks for the help earlier",
    "did you see the notes at http://example.com/path ?",
    "gg :)",
    "are you on voice?",
};

constexpr std::array kTeam = {
    "cover the left side",
    "I'll take the flag",
    "regroup at the centre",
    "nice one team",
};

constexpr std::array kChannel = {
    "evening, channel",
    "match at 8, be there",
    "stats are up: https://example.net/stats",
    "who's around?",
};

constexpr std::array kModerator = {
    "please keep an eye on public chat",
    "arena reset in 10 minutes",
    "all quiet here",
};

constexpr std::array kArena = {
    "Welcome to the arena! Be nice and have fun.",
    "The flag game starts in 2 minutes.",
    "Scores reset at midnight. See www.example.org/rules",
    ":: Arena notice :: the practice bots are online",
    "Most valuable player of the hour: Mira",
};

constexpr std::array kSquad = {
    "squad meeting in 10",
    "new members, say hi!",
    "practice link: http://example.com/path/squad",
};

constexpr std::array kReply = {
    "hi! nice to meet you",
    "sure, give me a minute",
    "haha yes",
    "I'm a bit busy, later?",
    "check www.example.org, it's all there",
};

template <std::size_t N>
QByteArray pick(const std::array<const char*, N>& list, std::mt19937& rng) {
    return QByteArray(list[std::size_t(randomInt(rng, 0, int(N) - 1))]);
}

}  // namespace

int randomInt(std::mt19937& rng, int lo, int hi) {
    // std::uniform_int_distribution differs between standard libraries; the schedule must not.
    if (hi <= lo) return lo;
    const auto span = std::uint32_t(hi - lo) + 1;
    return lo + int(rng() % span);
}

void Bots::init(int count, std::mt19937& rng) {
    present_.clear();
    for (int i = 0; i < count && enterNew(rng); ++i) {
    }
}

Bot* Bots::find(const QByteArray& name) {
    for (Bot& b : present_) {
        if (b.name.compare(name, Qt::CaseInsensitive) == 0) return &b;
    }
    return nullptr;
}

bool Bots::remove(const QByteArray& name) {
    for (qsizetype i = 0; i < present_.size(); ++i) {
        if (present_[i].name.compare(name, Qt::CaseInsensitive) == 0) {
            present_.removeAt(i);
            return true;
        }
    }
    return false;
}

const Bot* Bots::enterNew(std::mt19937& rng) {
    QList<QByteArray> free;
    for (const char* n : kNames) {
        if (!find(n)) free.append(n);
    }
    if (free.isEmpty()) return nullptr;
    Bot b;
    b.name = free[randomInt(rng, 0, int(free.size()) - 1)];
    randomiseShip(b, rng);
    b.squad = randomInt(rng, 0, 2) == 0 ? squadName(rng) : QByteArray();
    present_.append(b);
    return &present_.last();
}

void Bots::randomiseShip(Bot& bot, std::mt19937& rng) const {
    if (randomInt(rng, 0, 9) < 7) {
        bot.ship = randomInt(rng, 0, 7);
        bot.freq = randomInt(rng, 0, 1);
    } else {
        bot.ship = 8;
        bot.freq = 8025;
    }
}

QByteArray Bots::say(Text kind, std::mt19937& rng) {
    switch (kind) {
        case Text::Public:
            return pick(kPublic, rng);
        case Text::Macro:
            return pick(kMacro, rng);
        case Text::Private:
            return pick(kPrivate, rng);
        case Text::Team:
            return pick(kTeam, rng);
        case Text::Channel:
            return pick(kChannel, rng);
        case Text::Moderator:
            return pick(kModerator, rng);
        case Text::Arena:
            return pick(kArena, rng);
        case Text::Squad:
            return pick(kSquad, rng);
        case Text::Reply:
            return pick(kReply, rng);
    }
    return {};
}

QByteArray Bots::sysopLine(bool withNameField, const QByteArray& bot, std::mt19937& rng) {
    if (withNameField) return "MSG:SYSOP:" + bot + ":server restart in 30 minutes";
    // The real server puts the name inside the text, in no fixed form.
    if (randomInt(rng, 0, 1) == 0) return "MSG:SYSOP:WARNING: be nice  -" + bot;
    return "MSG:SYSOP:cheater: (" + bot + ") (Public 0): please help";
}

QByteArray Bots::squadName(std::mt19937& rng) {
    return pick(kSquads, rng);
}

}  // namespace zonesim
