#pragma once
// Follows a build's batch file from its start to its end: what it prints, as it prints it.
#include <functional>
#include <vector>

#include "platform/paths/transcript.h"

class BuildFollower {
public:
    using Deliver = std::function<void(std::vector<TranscriptRecord>)>;

    virtual ~BuildFollower() = default;
    // The next batch file the shell starts reports to deliver, which runs on the user-interface
    // thread with the records in order, until an Ended or Lost record. Following a build stops
    // following the one before.
    virtual void follow(Deliver deliver) = 0;
    // Nothing more is delivered.
    virtual void stop() = 0;
};
