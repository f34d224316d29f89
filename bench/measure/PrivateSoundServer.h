#pragma once

#include <QProcess>
#include <QTemporaryDir>

#include <vector>

// A PulseAudio server of the program's own (for the benchmark and the tests), in a private runtime folder,
// with one null sink whose monitor is recorded in real time: what a player sends to it arrives with the
// timing a listener would hear, gaps included. Players started while it runs send their sound to it.
class PrivateSoundServer
{
public:
    static constexpr int sampleRate = 48000;
    static constexpr const char* sinkName = "reelquill_null";

    PrivateSoundServer() = default;
    ~PrivateSoundServer();
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    // Starts the server and points this process's children at it; false if it did not come up.
    bool start();
    void startRecording();
    // Mono samples in -1..1 since startRecording.
    std::vector<float> stopRecording();
    void stop();

private:
    bool answers();

    QTemporaryDir m_runtime;
    QProcess m_server;
    QProcess m_recorder;
};
