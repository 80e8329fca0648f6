#include "audioplayer.h"

#include "musicsynth.h"
#include "synthdevice.h"

#include <QCoreApplication>

#include <algorithm>

#ifdef QELUN_HAVE_AUDIO
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#endif

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("AudioPlayer", text);
}

// Small enough that the first note sounds soon after the key press, large
// enough that a busy window does not starve the output.
constexpr int bufferFrames = 4096;

} // namespace

AudioPlayer::AudioPlayer(QObject *parent)
    : QObject(parent), m_synth(std::make_unique<MusicSynth>())
{
    m_timer.setInterval(25);
    connect(&m_timer, &QTimer::timeout, this, &AudioPlayer::onTimerTimeout);
}

AudioPlayer::~AudioPlayer()
{
    stop();
}

bool AudioPlayer::isAvailable()
{
#ifdef QELUN_HAVE_AUDIO
    return MusicSynth::isAvailable();
#else
    return false;
#endif
}

bool AudioPlayer::prepare(const QString &soundFont, QString *error)
{
    if (m_synth->isLoaded() && soundFont == m_soundFont)
        return true;
    if (!m_synth->load(soundFont, error))
        return false;
    m_soundFont = soundFont;
    return true;
}

bool AudioPlayer::play(const MusicScore &music, int program, const QString &soundFont, QString *error)
{
    stop();
#ifdef QELUN_HAVE_AUDIO
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) {
        if (error)
            *error = tr("没有可用的音频输出设备。");
        return false;
    }
    QAudioFormat format;
    format.setSampleRate(MusicSynth::sampleRate);
    format.setChannelCount(MusicSynth::channels);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!output.isFormatSupported(format)) {
        if (error)
            *error = tr("音频输出设备“%1”不支持 44.1 kHz 16 位立体声。").arg(output.description());
        return false;
    }
    if (!prepare(soundFont, error))
        return false;
    if (music.notes.isEmpty()) {
        if (error)
            *error = tr("没有可演奏的音符。");
        return false;
    }
    m_synth->setMusic(music, program);
    m_device = new SynthDevice(*m_synth, this);
    m_device->open(QIODevice::ReadOnly);
    m_sink = new QAudioSink(output, format, this);
    m_sink->setBufferSize(bufferFrames * MusicSynth::channels * 2);
    connect(m_sink, &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (!m_playing || !m_sink)
            return;
        if (state == QAudio::IdleState && m_synth->atEnd()) {
            end();
        } else if (state == QAudio::StoppedState && m_sink->error() != QAudio::NoError) {
            const QAudio::Error why = m_sink->error();
            end();
            emit failed(why == QAudio::OpenError ? tr("无法打开音频输出设备。") : tr("音频输出出错，播放已停止。"));
        }
    });
    m_note = -1;
    m_playing = true;
    m_sink->start(m_device);
    if (m_sink->error() != QAudio::NoError) {
        end();
        if (error)
            *error = tr("无法打开音频输出设备。");
        return false;
    }
    m_timer.start();
    return true;
#else
    Q_UNUSED(music);
    Q_UNUSED(program);
    Q_UNUSED(soundFont);
    if (error)
        *error = MusicSynth::isAvailable() ? tr("此版本编译时没有 Qt Multimedia，不能播放。")
                                           : MusicSynth::unavailableReason();
    return false;
#endif
}

void AudioPlayer::stop()
{
    if (m_playing)
        end();
}

void AudioPlayer::end()
{
    m_playing = false;
    m_timer.stop();
#ifdef QELUN_HAVE_AUDIO
    if (m_sink) {
        m_sink->disconnect(this);
        m_sink->stop();
        m_sink->deleteLater();
        m_sink = nullptr;
    }
#endif
    if (m_device) {
        m_device->deleteLater();
        m_device = nullptr;
    }
    emit finished();
}

void AudioPlayer::onTimerTimeout()
{
#ifdef QELUN_HAVE_AUDIO
    if (!m_sink || !m_device)
        return;
    // What the sink still holds has been handed out but not yet heard.
    const qint64 buffered = qint64(m_sink->bufferSize() - m_sink->bytesFree()) / (MusicSynth::channels * 2);
    const qint64 heard = m_device->framesRead() - std::max<qint64>(0, buffered);
    const int note = m_synth->noteAt(heard);
    if (note != m_note && note >= 0) {
        m_note = note;
        emit noteStarted(note);
    }
    if (m_synth->atEnd() && m_sink->state() == QAudio::IdleState)
        end();
#endif
}
