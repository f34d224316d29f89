#pragma once

// Tempo, pitch and rate as the user last set them, combined into what the time-stretcher is
// told: playback speed and pitch scale. Tempo changes speed alone, pitch changes pitch alone,
// rate changes both, as a tape played faster would.
class StretchSettings
{
public:
    // Limits of both factors that the engine accepts.
    static constexpr double minimumFactor = 0.01;
    static constexpr double maximumFactor = 100.0;

    void setTempo(int percent) { m_tempoPercent = percent; }
    // Semitones and fractions of one.
    void setPitch(double semitones) { m_pitchSemitones = semitones; }
    // A factor that is not a positive finite number is ignored.
    void setRate(double factor);

    // (1 + tempo/100) x rate, kept within the engine's limits.
    double speed() const;
    // rate x 2^(semitones/12), kept within the engine's limits.
    double pitchScale() const;
    // True when the sound comes out as recorded, so no stretcher is needed.
    bool isNeutral() const;

private:
    int m_tempoPercent = 0;
    double m_pitchSemitones = 0;
    double m_rate = 1.0;
};
