// The files a fresh course starts with, and where the generator puts each kind of file.
#pragma once

#include <QByteArray>
#include <QString>

namespace veltrin::course {

// The three data folders inside the generated course.
inline const QString torchFolder = QStringLiteral("torch");       // documents and index files
inline const QString lessonsFolder = QStringLiteral("lessons");   // level texts, manual, pictures, journal
inline const QString soundsFolder = QStringLiteral("sounds");

// The 24 journal subjects that the course requires, in the order of the progress file.
inline constexpr const char* requiredSubjects[24] = {
    "Openness",   "Observation",   "Thought",   "Feeling",      "Realization", "Exploration",      "Needs",       "Feel",
    "Perception", "Waters-1",      "Waters-2",  "Cause-Effect", "Questioning", "Automatic Living", "Chunks-1",    "Cause-Effect-2",
    "Viewpoint",  "Manifestation", "Mechanism", "Similarities", "Parameters",  "Skilling",         "Interaction", "Tweaking",
};

// Contents of the index and progress files as a progress reset leaves them (CR LF lines).
QByteArray startingTopicIndex();      // info.ndx
QByteArray startingSubjectIndex();    // mission.ndx
QByteArray startingStageCounters();   // status.ndx
QByteArray startingSubjectCounts();   // work.ndx

}   // namespace veltrin::course
