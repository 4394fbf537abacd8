#include "formats/pupil_merge.h"

namespace formats {
namespace {

template <typename T> const T& kept(const T& base, const T& ours, const T& onDisk) {
    return ours == base ? onDisk : ours;
}

std::string mergedProgress(const std::string& base, const std::string& ours,
                           const std::string& onDisk) {
    if (base.size() != ours.size() || onDisk.size() != ours.size()) return kept(base, ours, onDisk);
    std::string merged = ours;
    for (std::size_t i = 0; i < merged.size(); ++i)
        if (ours[i] == base[i]) merged[i] = onDisk[i];
    return merged;
}

bool samePlace(const PupilValues& a, const PupilValues& b) {
    return a.listeLecons == b.listeLecons && a.positionListe == b.positionListe;
}

void takeLessonUnderWay(PupilValues& into, const PupilValues& from) {
    into.numeroSequence = from.numeroSequence;
    into.listeLecons = from.listeLecons;
    into.positionListe = from.positionListe;
    into.activite = from.activite;
    into.points = from.points;
    into.itemsTermines = from.itemsTermines;
    into.numeroItem = from.numeroItem;
}

} // namespace

PupilValues mergePupilValues(const PupilValues& base, const PupilValues& ours,
                             const PupilValues& onDisk) {
    PupilValues m;
    m.prenom = kept(base.prenom, ours.prenom, onDisk.prenom);
    m.nom = kept(base.nom, ours.nom, onDisk.nom);
    m.etatLecons = mergedProgress(base.etatLecons, ours.etatLecons, onDisk.etatLecons);
    m.serieImages = kept(base.serieImages, ours.serieImages, onDisk.serieImages);
    m.repriseAutorisee =
        kept(base.repriseAutorisee, ours.repriseAutorisee, onDisk.repriseAutorisee);

    if (!samePlace(ours, base)) {
        takeLessonUnderWay(m, ours);
    } else if (!samePlace(onDisk, base)) {
        takeLessonUnderWay(m, onDisk);
    } else {
        m.numeroSequence = kept(base.numeroSequence, ours.numeroSequence, onDisk.numeroSequence);
        m.listeLecons = ours.listeLecons;
        m.positionListe = ours.positionListe;
        m.activite = kept(base.activite, ours.activite, onDisk.activite);
        m.points = kept(base.points, ours.points, onDisk.points);
        m.itemsTermines = kept(base.itemsTermines, ours.itemsTermines, onDisk.itemsTermines);
        m.numeroItem = kept(base.numeroItem, ours.numeroItem, onDisk.numeroItem);
    }
    return m;
}

} // namespace formats
