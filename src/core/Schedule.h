#pragma once
// The check-point schedule of every stage and the messages of the journal subjects it adds.
// Private to progress/ (and its tests).
#include <array>
#include <string_view>

namespace veltrin::core {

enum class CheckpointKind {
    Topic,             // unlocks a reading topic once (guard: the topic list)
    Subject,           // adds a required journal subject once (guard: the subject list, upper case)
    OptionalSubject,   // adds an optional subject in lower case, same guard
    SecondPassTopic,   // shows a topic and counts on every pass; AddTopic keeps the list free of copies
    Silent,            // only counted
};

enum class CheckpointEnding {
    WaitsStops,               // waits until the user closes the Torch panel, then stops scrolling
    Stops,                    // stops scrolling and leaves the document on show
    WaitsSkipsAhead,          // waits, then moves the text past the check-point; scrolling goes on unless stopped meanwhile
    WaitsSkipsAheadResumes,   // as WaitsSkipsAhead, and scrolling goes on even when it was stopped meanwhile
    Continues,                // scrolling goes on
};

struct Checkpoint {
    int stage;      // CourseStage, -1 .. 13
    int position;   // the reading mark, 0 .. 1000
    CheckpointKind kind;
    std::string_view name;       // topic or subject as stored; empty for a silent check-point
    std::string_view document;   // in AppDir; empty for subjects (their message is generated) and silent ones
    CheckpointEnding ending;
};

using enum CheckpointKind;
using enum CheckpointEnding;

// By stage, then position. A mark matches at most one check-point of a stage.
inline constexpr std::array<Checkpoint, 77> Schedule{{
    {-1, 354, Topic, "Introduction", "introduction.rtf", WaitsStops},
    {-1, 581, Topic, "Cosmic Map", "Cosmic Map.rtf", WaitsStops},
    {-1, 657, Topic, "Icons", "Icons.rtf", Stops},
    {0, 81, Topic, "Level One Goal", "Level One Goal.rtf", WaitsStops},
    {0, 115, Topic, "Oneness", "oneness.rtf", WaitsStops},
    {0, 151, Topic, "Caution", "Caution.rtf", WaitsStops},
    {0, 327, Topic, "Awareness", "Awareness.rtf", WaitsStops},
    {0, 372, Topic, "Reality", "reality.rtf", Stops},
    {0, 722, Silent, "", "", Continues},
    {1, 5, Topic, "Inner Awareness", "Inner Awareness.rtf", WaitsStops},
    {1, 142, Topic, "Awake", "Awake.rtf", WaitsStops},
    {1, 173, Topic, "Pretending", "Pretending.rtf", WaitsStops},
    {1, 248, Topic, "Continuum", "Continuum.rtf", WaitsStops},
    {1, 575, Topic, "Getting Things", "Getting Things.rtf", WaitsStops},
    {1, 743, Topic, "Skill", "Skill.rtf", WaitsStops},
    {1, 835, Topic, "Self Concept", "Self Concept.rtf", WaitsStops},
    {1, 948, Topic, "Gauge", "Gauge.rtf", Stops},
    {2, 121, Topic, "Time", "Time.rtf", WaitsStops},
    {2, 150, Topic, "River", "River.rtf", WaitsStops},
    {2, 345, Topic, "Feelings", "Feelings.rtf", WaitsStops},
    {2, 561, Topic, "Ethics", "Ethics.rtf", WaitsStops},
    {2, 630, Topic, "Holding Up", "Holding Up.rtf", Stops},
    {2, 738, Silent, "", "", Continues},
    {3, 120, Topic, "Power", "Power.rtf", WaitsStops},
    {3, 188, Topic, "Structure", "Structure.rtf", WaitsStops},
    {3, 238, Topic, "Reason", "Reason.rtf", WaitsStops},
    {3, 378, Topic, "Value", "Value.rtf", WaitsStops},
    {3, 444, Topic, "Thoughts", "Thoughts.rtf", WaitsStops},
    {3, 842, Topic, "Chunks", "Chunks.rtf", Stops},
    {4, 68, Topic, "Interface", "Interface.rtf", WaitsStops},
    {4, 115, Topic, "Inner Feeling", "Inner Feeling.rtf", WaitsStops},
    {4, 296, Topic, "Settings", "Settings.rtf", WaitsStops},
    {4, 393, Topic, "Interface-2", "Interface-2.rtf", WaitsStops},
    {4, 638, Topic, "Perspective", "Perspective.rtf", WaitsStops},
    {4, 715, Topic, "Science", "Science.rtf", Stops},
    {4, 888, Silent, "", "", Continues},
    {5, 32, Topic, "Discernment", "Discernment.rtf", WaitsStops},
    {5, 146, Topic, "Source", "Source.rtf", Stops},
    {5, 516, Silent, "", "", Continues},
    {5, 780, Silent, "", "", Continues},
    {6, 292, Topic, "Reconciliation", "Reconciliation.rtf", WaitsStops},
    {6, 433, Silent, "", "", Continues},
    {6, 888, Silent, "", "", Continues},
    {7, 112, Subject, "OPENNESS", "", WaitsStops},
    {7, 240, SecondPassTopic, "galaxy", "galaxy.rtf", WaitsSkipsAheadResumes},
    {7, 528, Subject, "OBSERVATION", "", WaitsStops},
    {7, 690, SecondPassTopic, "ambition", "ambition.rtf", WaitsSkipsAhead},
    {7, 719, Subject, "THOUGHT", "", WaitsStops},
    {7, 737, Subject, "FEELING", "", WaitsStops},
    {7, 839, Subject, "REALIZATION", "", WaitsStops},
    {8, 95, Subject, "EXPLORATION", "", WaitsStops},
    {8, 587, SecondPassTopic, "view", "view.rtf", WaitsSkipsAhead},
    {8, 619, SecondPassTopic, "allone", "allone.rtf", WaitsSkipsAhead},
    {8, 814, Subject, "NEEDS", "", WaitsStops},
    {8, 975, Subject, "FEEL", "", WaitsStops},
    {9, 270, Subject, "PERCEPTION", "", WaitsStops},
    {9, 326, Subject, "WATERS-1", "", WaitsStops},
    {9, 378, SecondPassTopic, "plugin", "plugin.rtf", WaitsSkipsAhead},
    {9, 441, Subject, "WATERS-2", "", WaitsStops},
    {9, 903, Subject, "CAUSE-EFFECT", "", WaitsStops},
    {10, 265, SecondPassTopic, "lab-1", "lab-1.rtf", WaitsSkipsAhead},
    {10, 339, Subject, "QUESTIONING", "", WaitsStops},
    {10, 617, Subject, "AUTOMATIC LIVING", "", WaitsStops},
    {10, 819, Subject, "CHUNKS-1", "", WaitsStops},
    {11, 94, SecondPassTopic, "FeelNow", "feelnow.rtf", WaitsSkipsAhead},
    {11, 304, Subject, "CAUSE-EFFECT-2", "", WaitsStops},
    {11, 408, Subject, "VIEWPOINT", "", WaitsStops},
    {11, 790, OptionalSubject, "controversy", "", WaitsStops},
    {12, 408, Subject, "MANIFESTATION", "", WaitsStops},
    {12, 505, Subject, "MECHANISM", "", WaitsStops},
    {12, 734, Subject, "SIMILARITIES", "", WaitsStops},
    {13, 505, Subject, "PARAMETERS", "", WaitsStops},
    {13, 688, OptionalSubject, "creativity", "", WaitsStops},
    {13, 789, Subject, "SKILLING", "", WaitsStops},
    {13, 818, Subject, "INTERACTION", "", WaitsStops},
    {13, 859, OptionalSubject, "reading", "", WaitsStops},
    {13, 890, Subject, "TWEAKING", "", WaitsStops},
}};

// The topic whose check-point starts the course: it also clears the progress tables.
inline constexpr std::string_view CourseStartTopic = "Introduction";

struct SubjectMessage {
    std::string_view subject;   // as stored in mission.ndx
    std::string_view message;   // the middle line of newsubject.rtf
};

inline constexpr std::array<SubjectMessage, 27> SubjectMessages{{
    {"OPENNESS", "\\cf2 The Subject OPENNESS has been added to your journal subject list. During Level 1, record an Inner Snapshot and a "
                 "brief comment for a minimum of ten entries in this subject category."},
    {"OBSERVATION", "\\cf2 The Subject OBSERVATION has been added to your journal subject list. During Level 1, record an Inner Snapshot "
                    "and a brief comment for a minimum of 3 entries for each of the five observations in this subject category."},
    {"THOUGHT", "\\cf2 The Subject THOUGHT has been added to your journal subject list. During Level 1, record an Inner Snapshot and a "
                "brief comment for a minimum of five entries in this subject category."},
    {"FEELING", "\\cf2 The Subject FEELING has been added to your journal subject list. During Level 1, record an Inner Snapshot and a "
                "brief comment for a minimum of five entries in this subject category."},
    {"REALIZATION", "\\cf2 The Subject REALIZATION has been added to your journal subject list. During Level 1, record an Inner Snapshot "
                    "and a brief comment for a minimum of seven entries in this subject category."},
    {"EXPLORATION", "\\cf2 The Subject EXPLORATION has been added to your journal subject list. During Level 2, record an Inner Snapshot "
                    "and a brief comment for a minimum of twenty four entries in this subject category. While only two entries for each "
                    "area of consideration are necessary, many more are strongly reccomended. Enter records for these thoughts until you "
                    "feel that you have completely explored your beliefs in this area."},
    {"NEEDS", "\\cf2 The Subject NEEDS has been added to your journal subject list. During Level 2, record an Inner Snapshot and a brief "
              "comment for a minimum of twelve entries in this subject category."},
    {"FEEL", "\\cf2 The Subject FEEL has been added to your journal subject list. During Level 2, record an Inner Snapshot and a brief "
             "comment for a minimum of ten entries in this subject category."},
    {"PERCEPTION", "\\cf2 The Subject PERCEPTION has been added to your journal subject list. During Level 3, record an Inner Snapshot and "
                   "a brief comment for a minimum of five entries in this subject category."},
    {"WATERS-1", "\\cf2 The Subject WATERS-1 has been added to your journal subject list. During Level 3, record an Inner Snapshot and a "
                 "brief comment for all three objects, five times each in this subject category."},
    {"WATERS-2", "\\cf2 The Subject WATERS-2 has been added to your journal subject list. During Level 3, record an Inner Snapshot and a "
                 "brief comment for a minimum of five entries in this subject category."},
    {"CAUSE-EFFECT", "\\cf2 The Subject CAUSE-EFFECT has been added to your journal subject list. During Level 3, record an Inner Snapshot "
                     "and a brief comment for a minimum of 5 entries in this subject category."},
    {"QUESTIONING", "\\cf2 The Subject QUESTIONING has been added to your journal subject list. During Level 4, record an Inner Snapshot "
                    "and a brief comment for a minimum of fifteen entries in this subject category."},
    {"AUTOMATIC LIVING", "\\cf2 The Subject AUTOMATIC LIVING has been added to your journal subject list. During Level 4, record an Inner "
                         "Snapshot and a brief comment for a minimum of fifteen entries in this subject category."},
    {"CHUNKS-1", "\\cf2 The Subject CHUNKS-1 has been added to your journal subject list. During Level 4, record an Inner Snapshot and a "
                 "brief comment for a minimum of seven entries in this subject category."},
    {"CAUSE-EFFECT-2", "\\cf2 The Subject CAUSE-EFFECT-2 has been added to your journal subject list. During Level 5, record an Inner "
                       "Snapshot and a brief comment for a minimum of twenty five entries in this subject category."},
    {"VIEWPOINT", "\\cf2 The Subject VIEWPOINT has been added to your journal subject list. During Level 5, record an Inner Snapshot and a "
                  "brief comment three times as instructed by the text."},
    {"controversy", "\\cf2 The Optional Subject controversy has been added to your journal subject list."},
    {"MANIFESTATION", "\\cf2 The Subject MANIFESTATION has been added to your journal subject list. During Level 6, record an Inner "
                      "Snapshot and a brief comment for a minimum of ten entries on this process."},
    {"MECHANISM", "\\cf2 The Subject MECHANISM has been added to your journal subject list. During Level 6, record an Inner Snapshot and a "
                  "brief comment for a minimum of seven entries in this subject category."},
    {"SIMILARITIES", "\\cf2 The Subject SIMILARITIES has been added to your journal subject list. During Level 6, record an Inner Snapshot "
                     "and a brief comment for a minimum of five entries in this subject category."},
    {"PARAMETERS", "\\cf2 The Subject PARAMETERS has been added to your journal subject list. During Level 7, record an Inner Snapshot and "
                   "a brief comment for a minimum of five entries in this subject category."},
    {"creativity", "\\cf2 The Optional Subject creativity has been added to your journal subject list. During Level 7, record an Inner "
                   "Snapshot and a brief comment for a minimum of ten entries in this subject category."},
    {"SKILLING", "\\cf2 The Subject SKILLING has been added to your journal subject list. During Level 7, record an Inner Snapshot and a "
                 "brief comment for a minimum of twenty five entries in this subject category."},
    {"INTERACTION", "\\cf2 The Subject INTERACTION has been added to your journal subject list. During Level 7, record an Inner Snapshot "
                    "and a brief comment for a minimum of twenty five entries in this subject category."},
    {"reading", "\\cf2 The Optional Subject reading has been added to your journal subject list. During Level 7, record an Inner Snapshot "
                "and a brief comment for a minimum of ten entries in this subject category."},
    {"TWEAKING", "\\cf2 The Subject TWEAKING has been added to your journal subject list. During Level 7, record an Inner Snapshot and a "
                 "brief comment for a minimum of twenty five entries in this subject category."},
}};

}   // namespace veltrin::core
