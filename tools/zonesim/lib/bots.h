// The simulated players of the bots' arena and what they say.
#pragma once

#include <QByteArray>
#include <QList>
#include <random>

namespace zonesim {

struct Bot {
    QByteArray name;
    int ship = 8;
    int freq = 8025;
    QByteArray squad;
};

class Bots {
  public:
    void init(int count, std::mt19937& rng);
    const QList<Bot>& present() const { return present_; }
    Bot* find(const QByteArray& name);
    bool remove(const QByteArray& name);
    const Bot* enterNew(std::mt19937& rng);  // nullptr when every name is taken
    void randomiseShip(Bot& bot, std::mt19937& rng) const;

    enum class Text { Public, Macro, Private, Team, Channel, Moderator, Arena, Squad, Reply };
    static QByteArray say(Text kind, std::mt19937& rng);
    static QByteArray sysopLine(bool withNameField, const QByteArray& bot, std::mt19937& rng);
    static QByteArray squadName(std::mt19937& rng);

  private:
    QList<Bot> present_;
};

int randomInt(std::mt19937& rng, int lo, int hi);  // lo..hi inclusive, same on every platform

}  // namespace zonesim
