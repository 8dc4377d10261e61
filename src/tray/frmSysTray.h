#pragma once

#include <QIcon>
#include <QList>
#include <QString>
#include <QSystemTrayIcon>
#include <QWidget>

#include <cstdint>

class QAction;
class QMenu;
class QTimer;

// The hidden window that owns the program's one notification-area icon: its tool
// tip and picture, its balloon messages and its pop-up menu, whose items are
// addressed by index and carry a key. Mouse and balloon notifications come out as
// the signals below, synchronously, from inside the handling that caused them.
class frmSysTray : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString ToolTip READ ToolTip WRITE SetToolTip)
    Q_PROPERTY(QIcon IconHandle READ IconHandle WRITE SetIconHandle)
    Q_PROPERTY(int DefaultMenuIndex READ DefaultMenuIndex WRITE SetDefaultMenuIndex)

public:
    struct Capabilities {
        bool notificationArea = false; // an icon can be shown at all
        bool balloons = false; // and that icon can show balloon messages
    };

    // Whether this desktop has a notification area. The one place that decides it:
    // without one, hiding the only window would leave a program nobody can reach.
    static bool NotificationAreaExists();
    // What this desktop's tray offers.
    static Capabilities PlatformCapabilities();

    static constexpr int TipLength = 127;
    static constexpr int TipLengthWithoutBalloons = 63;
    static constexpr int BalloonMessageLength = 255;
    static constexpr int BalloonTitleLength = 63;
    // Menu indexes are 16-bit.
    static constexpr int HighestMenuIndex = 32767;

    // Adds the icon with the window's own picture and the program's description as tip.
    explicit frmSysTray(QWidget* parent = nullptr);
    // The same, with what the tray offers given rather than asked of the desktop.
    explicit frmSysTray(const Capabilities& capabilities, QWidget* parent = nullptr);
    ~frmSysTray() override;

    // What this instance was created with.
    bool HasNotificationArea() const { return m_caps.notificationArea; }
    bool SupportsBalloons() const { return m_caps.balloons; }

    // Shows a balloon at the icon; nothing at all where balloons are not supported.
    // eIcon: 0 none, 1 information, 2 warning, 3 error.
    void ShowBalloonTip(
        const QString& sMessage, const QString& sTitle = {}, std::int32_t eIcon = 0, std::int32_t lTimeOutMs = 10000);
    // The last balloon's texts, as cut to their limits.
    QString BalloonMessage() const { return m_balloonMessage; }
    QString BalloonTitle() const { return m_balloonTitle; }

    QString ToolTip() const { return m_tip; }
    void SetToolTip(const QString& sTip);

    QIcon IconHandle() const { return m_icon; }
    void SetIconHandle(const QIcon& hIcon);

    // Appends an item (the first call takes item 0) and returns its index, or -1
    // when no 16-bit index is left.
    int AddMenuItem(const QString& sCaption, const QString& sKey = {}, bool bDefault = false);
    void EnableMenuItem(std::int32_t lIndex, bool bState);
    // Removes an item; the later ones move up one place. Item 0 only loses its
    // caption. Always 0.
    std::int32_t RemoveMenuItem(std::int32_t iIndex);

    std::int32_t DefaultMenuIndex() const { return m_defaultIndex; }
    // An index that names no item stores 0.
    void SetDefaultMenuIndex(std::int32_t index);

    // Pops the menu up at the mouse pointer, the default item drawn bold.
    void ShowMenu();

    // The menu items themselves, by index (nullptr for an index that names none).
    // Each is named "mnuSysTray" and carries its key as data() and its index as
    // the property "Index".
    int MenuItemCount() const { return static_cast<int>(m_items.size()); }
    QAction* mnuSysTray(int index) const;
    QString MenuItemCaption(int index) const;
    // The caption "-" makes the item a separator line.
    void SetMenuItemCaption(int index, const QString& caption);
    QString MenuItemKey(int index) const;
    QMenu* mnuPopup() const { return m_mnuPopup; }

    // Removes the icon; the destructor does it too.
    void Unload();

public slots:
    // Raises the event that a notification code of the tray icon stands for.
    void HandleNotification(int code);

signals:
    void SysTrayMouseDown(int eButton);
    void SysTrayMouseUp(int eButton);
    void SysTrayMouseMove();
    void SysTrayDoubleClick(int eButton);
    void MenuClick(int lIndex, const QString& sKey);
    void BalloonShow();
    void BalloonHide();
    void BalloonTimeOut();
    void BalloonClicked();

private:
    bool isValidIndex(std::int32_t index) const { return index >= 0 && index < m_items.size(); }
    int tipLength() const { return m_caps.balloons ? TipLength : TipLengthWithoutBalloons; }
    static QString cutText(const QString& text, int maxChars);
    QAction* createItem(int index);
    void setItemCaption(QAction* item, const QString& caption);
    void markDefaultItem();
    static void setBold(QAction* item, bool bold);
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    void onMessageClicked();
    void onBalloonTimeOut();
    // Raises a code's event from inside a callback of the menu, icon or timer;
    // false when the owner unloaded this instance meanwhile.
    bool raiseFromCallback(int code);

    Capabilities m_caps;
    QSystemTrayIcon* m_trayIcon = nullptr;
    QMenu* m_mnuPopup = nullptr;
    QTimer* m_balloonTimer = nullptr;
    QList<QAction*> m_items;
    QString m_tip;
    QIcon m_icon;
    QString m_balloonMessage;
    QString m_balloonTitle;
    std::int32_t m_defaultIndex = 0;
    bool m_menuStarted = false;
    bool m_balloonShowing = false;
    bool m_unloaded = false;
    int m_callbackDepth = 0;
};
