// A window realised from its description: controls looked up by name in description order,
// window properties, and the binding of events to handlers.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "ui/control.h"
#include "ui/window_description.h"

namespace yc::ui {

enum class ControlEvent { Clicked, Tick, DoubleClicked, RightButtonPressed };

class Window;

/// The top-level widget; it forwards close and resize to the window's handlers.
class HostWidget final : public QDialog {
  public:
    explicit HostWidget(Window& window, QWidget* owner);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void reject() override;  // Escape: see Window::showModal

  private:
    Window& window_;
};

class Window {
  public:
    /// Builds every control at its designed geometry. `owner` makes the window modal to it.
    explicit Window(const WindowDescription& description, QWidget* owner = nullptr);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    const Text& name() const { return name_; }
    /// The control of that name; a name missing from the description is a programming error and
    /// throws std::logic_error.
    Control& control(std::string_view name) const;
    Control* findControl(std::string_view name) const;
    /// Every control, in description order.
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    void onCreated(std::function<void()> handler) { created_ = std::move(handler); }
    /// The handler returns false to refuse the close.
    void onCloseRequested(std::function<bool()> handler) { closeRequested_ = std::move(handler); }
    void onResized(std::function<void()> handler) { resized_ = std::move(handler); }
    void bind(std::string_view controlName, ControlEvent event, std::function<void()> handler);

    /// Runs the created handler, then shows the window without blocking.
    void show();
    /// Runs the created handler, then shows the window modally until it is destroyed. Only a
    /// window shown this way closes on Escape.
    void showModal();
    /// Asks to close, as the close button does (the close-requested handler may refuse).
    void requestClose();
    /// Closes the window without asking.
    void destroy();
    bool isOpen() const { return open_; }

    const Text& title() const { return title_; }
    void setTitle(Text title);
    bool maximised() const;
    void setMaximised(bool maximised);
    /// Outer geometry, frame included, as the designed sizes are given.
    int left() const;
    int top() const;
    int width() const;
    int height() const;
    void setOuterGeometry(int left, int top, int width, int height);
    int clientWidth() const;
    int clientHeight() const;

    HostWidget* widget() const { return host_.get(); }

    /// The classic single frame the designed outer sizes include.
    static constexpr int kFrameWidth = 6;
    static constexpr int kFrameHeight = 28;

  private:
    friend class HostWidget;
    void build(const WindowDescription& description);
    bool handleCloseRequest();
    void handleResize();
    void runCreated();

    Text name_;
    Text title_;
    std::unique_ptr<HostWidget> host_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::unordered_map<Text, std::size_t> index_;
    std::function<void()> created_;
    std::function<bool()> closeRequested_;
    std::function<void()> resized_;
    bool createdRun_ = false;
    bool open_ = false;
    bool modal_ = false;
    bool destroying_ = false;
};

}  // namespace yc::ui
